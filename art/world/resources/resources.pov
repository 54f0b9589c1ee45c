// Resource objects as they hang on the overhead conveyor and stand in stockpiles: one load each,
// about a metre across, its base centred on the anchor. FV_Variant follows resources.csv:
//  1 steel sheet       2 aluminium bar   3 rubber        4 glass pane     5 plastic pellets
//  6 fabric roll       7 copper wire     8 primer paint  9 colour paint  10 chassis frame
// 11 axle set         12 wheel set      13 engine block 14 fuel tank     15 body shell
// 16 door set         17 seat set       18 windscreen   19 wiring loom   20 sunroof panel
// 21 spoiler kit
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Variant) #declare FV_Variant = 1; #end

#declare Strap = texture { pigment { rgb <0.1, 0.2, 0.5> } finish { FV_Glossy } }
#declare Alu = texture { pigment { rgb 0.6 } finish { FV_Metal } }
#declare Copper = texture { pigment { rgb <0.6, 0.25, 0.1> } finish { FV_Metal } }
#declare Primer = texture { pigment { rgb 0.42 } finish { FV_Painted } }
#declare Tyre = texture { pigment { rgb 0.025 } finish { FV_Rubber } }
#declare GlassT = texture { pigment { rgbf <0.55, 0.75, 0.8, 0.55> } finish { ambient 0.15 diffuse 0.4 specular 0.9 roughness 0.005 } }

#macro Drum(P, C)
  union {
    cylinder { P, P + y * 0.62, 0.22 texture { pigment { C } finish { FV_Glossy } } }
    torus { 0.22, 0.012 translate P + y * 0.2 texture { FV_TDarkSteel } }
    torus { 0.22, 0.012 translate P + y * 0.42 texture { FV_TDarkSteel } }
    cylinder { P + y * 0.61, P + y * 0.63, 0.2 texture { FV_TDarkSteel } }
    box { P + <-0.1, 0.22, 0.15>, P + <0.1, 0.4, 0.22> rotate y * 45 texture { pigment { rgb 0.85 } finish { FV_Matte } } }
  }
#end
#macro Wheel(P, Axis)
  union {
    torus { 0.2, 0.08 rotate Axis texture { Tyre } }
    cylinder { -y * 0.07, y * 0.07, 0.15 rotate Axis texture { Alu } }
    translate P
  }
#end

#switch (FV_Variant)
  #case (1)
    #declare Load = union {
      #declare I = 0;
      #while (I < 8)
        box { <-0.5, I * 0.03, -0.35>, <0.5, I * 0.03 + 0.025, 0.35> texture { pigment { rgb 0.35 + 0.03 * mod(I, 2) } finish { FV_Metal } } }
        #declare I = I + 1;
      #end
      box { <-0.28, -0.005, -0.36>, <-0.22, 0.245, 0.36> texture { Strap } }
      box { <0.22, -0.005, -0.36>, <0.28, 0.245, 0.36> texture { Strap } }
    }
  #break
  #case (2)
    #declare Load = union {
      #declare I = 0;
      #while (I < 12)
        cylinder { <-0.55, 0.06 + div(I, 4) * 0.1, -0.17 + mod(I, 4) * 0.11>, <0.55, 0.06 + div(I, 4) * 0.1, -0.17 + mod(I, 4) * 0.11>, 0.05 texture { Alu } }
        #declare I = I + 1;
      #end
      box { <-0.3, 0, -0.24>, <-0.25, 0.32, 0.24> texture { Strap } }
      box { <0.25, 0, -0.24>, <0.3, 0.32, 0.24> texture { Strap } }
    }
  #break
  #case (3)
    #declare Load = union {
      #declare I = 0;
      #while (I < 3)
        object { FV_RBox(<-0.4, I * 0.16, -0.3>, <0.4, I * 0.16 + 0.15, 0.3>, 0.04) rotate y * (I * 7 - 7) texture { pigment { rgb 0.03 } finish { FV_Rubber } } }
        #declare I = I + 1;
      #end
      box { <-0.42, 0.2, -0.05>, <0.42, 0.28, 0.05> texture { pigment { rgb <0.75, 0.55, 0.02> } finish { FV_Matte } } }
    }
  #break
  #case (4)
    #declare Load = union {
      box { <-0.5, 0, -0.3>, <0.5, 0.05, 0.3> texture { FV_TDarkSteel } }
      prism { linear_sweep linear_spline -0.45, 0.45, 4, <-0.06, 0.05>, <0.06, 0.05>, <0, 0.75>, <-0.06, 0.05> rotate x * -90 rotate y * 90 texture { FV_TDarkSteel } }
      #declare I = 0;
      #while (I < 3)
        box { <-0.45, 0.06, 0.07 + I * 0.05>, <0.45, 0.7 - I * 0.05, 0.08 + I * 0.05> rotate x * -8 texture { GlassT } }
        box { <-0.45, 0.06, -0.08 - I * 0.05>, <0.45, 0.7 - I * 0.05, -0.07 - I * 0.05> rotate x * 8 texture { GlassT } }
        #declare I = I + 1;
      #end
    }
  #break
  #case (5)
    #declare Load = union {
      object { FV_RBox(<-0.38, 0, -0.38>, <0.38, 0.7, 0.38>, 0.12) texture { pigment { rgb 0.78 } normal { wrinkles 0.3 scale 0.1 } finish { FV_Matte } } }
      #declare I = 0;
      #while (I < 4)
        torus { 0.06, 0.015 rotate x * 90 translate <0, 0.72, 0> translate <0.28, 0, 0.28> rotate y * I * 90 texture { Strap } }
        #declare I = I + 1;
      #end
      box { <0.385, 0.25, -0.15>, <0.39, 0.45, 0.15> texture { pigment { rgb <0.05, 0.3, 0.6> } finish { FV_Matte } } }
    }
  #break
  #case (6)
    #declare Load = union {
      cylinder { <-0.5, 0.17, -0.18>, <0.5, 0.17, -0.18>, 0.17 texture { pigment { rgb <0.55, 0.5, 0.4> } normal { gradient x 0.3 scale 0.02 } finish { FV_Matte } } }
      cylinder { <-0.5, 0.17, 0.18>, <0.5, 0.17, 0.18>, 0.17 texture { pigment { rgb <0.15, 0.18, 0.28> } normal { gradient x 0.3 scale 0.02 } finish { FV_Matte } } }
      cylinder { <-0.52, 0.17, -0.18>, <0.52, 0.17, -0.18>, 0.04 texture { FV_TCream } }
      cylinder { <-0.52, 0.17, 0.18>, <0.52, 0.17, 0.18>, 0.04 texture { FV_TCream } }
    }
  #break
  #case (7)
    #declare Load = union {
      cylinder { <0, 0.3, -0.25>, <0, 0.3, 0.25>, 0.25 texture { Copper } normal { gradient z 0.4 scale 0.02 } }
      cylinder { <0, 0.3, -0.28>, <0, 0.3, -0.25>, 0.32 texture { FV_TWood } }
      cylinder { <0, 0.3, 0.25>, <0, 0.3, 0.28>, 0.32 texture { FV_TWood } }
      cylinder { <0, 0.3, -0.3>, <0, 0.3, 0.3>, 0.06 texture { FV_TDarkSteel } }
    }
  #break
  #case (8)
    #declare Load = union { Drum(<0, 0, -0.23>, rgb 0.35) Drum(<0, 0, 0.23>, rgb 0.35) }
  #break
  #case (9)
    #declare Load = union { Drum(<0, 0, -0.23>, rgb <0.55, 0.04, 0.03>) Drum(<0, 0, 0.23>, rgb <0.04, 0.15, 0.5>) }
  #break
  #case (10)
    #declare Load = union {
      box { <-0.65, 0.05, -0.28>, <0.65, 0.15, -0.2> texture { FV_TDarkSteel } }
      box { <-0.65, 0.05, 0.2>, <0.65, 0.15, 0.28> texture { FV_TDarkSteel } }
      #declare I = 0;
      #while (I < 4)
        box { <-0.55 + I * 0.36, 0.06, -0.22>, <-0.5 + I * 0.36, 0.13, 0.22> texture { FV_TDarkSteel } }
        #declare I = I + 1;
      #end
      box { <-0.6, 0, -0.3>, <-0.5, 0.05, 0.3> texture { FV_TYellow } }
      box { <0.5, 0, -0.3>, <0.6, 0.05, 0.3> texture { FV_TYellow } }
    }
  #break
  #case (11)
    #declare Load = union {
      #declare I = -1;
      #while (I <= 1)
        cylinder { <I * 0.18, 0.12, -0.5>, <I * 0.18, 0.12, 0.5>, 0.035 texture { FV_TDarkSteel } }
        cylinder { <I * 0.18, 0.12, -0.5>, <I * 0.18, 0.12, -0.42>, 0.1 texture { FV_TSteel } }
        cylinder { <I * 0.18, 0.12, 0.42>, <I * 0.18, 0.12, 0.5>, 0.1 texture { FV_TSteel } }
        sphere { <I * 0.18, 0.12, 0>, 0.08 texture { FV_TDarkSteel } }
        #declare I = I + 2;
      #end
      box { <-0.35, 0, -0.3>, <0.35, 0.02, 0.3> texture { FV_TWood } }
    }
  #break
  #case (12)
    #declare Load = union {
      Wheel(<0, 0.08, 0>, 0) Wheel(<0, 0.24, 0>, 0) Wheel(<0, 0.4, 0>, 0) Wheel(<0, 0.56, 0>, 0)
    }
  #break
  #case (13)
    #declare Load = union {
      object { FV_RBox(<-0.35, 0, -0.22>, <0.35, 0.32, 0.22>, 0.03) texture { pigment { rgb 0.32 } finish { FV_Metal } } }
      object { FV_RBox(<-0.33, 0.32, -0.16>, <0.33, 0.5, 0.16>, 0.03) texture { pigment { rgb 0.36 } finish { FV_Metal } } }
      object { FV_RBox(<-0.3, 0.5, -0.13>, <0.3, 0.58, 0.13>, 0.03) texture { FV_TRed } }
      #declare I = 0;
      #while (I < 4)
        cylinder { <-0.22 + I * 0.15, 0.4, 0.16>, <-0.22 + I * 0.15, 0.4, 0.28>, 0.035 texture { FV_TSteel } }
        #declare I = I + 1;
      #end
      cylinder { <0.35, 0.15, 0>, <0.42, 0.15, 0>, 0.13 texture { FV_TDarkSteel } }
      torus { 0.12, 0.015 rotate z * 90 translate <0.43, 0.15, 0> texture { FV_TBlack } }
    }
  #break
  #case (14)
    #declare Load = union {
      object { FV_RBox(<-0.5, 0, -0.3>, <0.5, 0.25, 0.3>, 0.08) texture { pigment { rgb 0.08 } finish { FV_Glossy } } }
      cylinder { <0.3, 0.25, 0.15>, <0.3, 0.32, 0.15>, 0.05 texture { FV_TSteel } }
      cylinder { <-0.45, 0.12, 0>, <-0.62, 0.25, 0>, 0.03 texture { FV_TSteel } }
      box { <-0.51, 0.06, -0.31>, <0.51, 0.09, 0.31> texture { FV_TSteel } }
    }
  #break
  #case (15)
    // A miniature of the car body shell in primer.
    #declare Load = union {
      object { FV_RBox(<-0.6, 0.05, -0.25>, <0.6, 0.32, 0.25>, 0.08) texture { Primer } }
      prism { linear_sweep linear_spline -0.22, 0.22, 5, <-0.45, 0.3>, <0.25, 0.3>, <0.1, 0.55>, <-0.35, 0.55>, <-0.45, 0.3> rotate x * -90 texture { Primer } }
      box { <-0.42, 0.33, -0.224>, <0.2, 0.5, 0.224> texture { pigment { rgb 0.05 } finish { FV_Glossy } } }
      box { <-0.6, 0, -0.26>, <0.6, 0.05, 0.26> texture { FV_TYellow } }
    }
  #break
  #case (16)
    #declare Load = union {
      box { <-0.5, 0, -0.3>, <0.5, 0.04, 0.3> texture { FV_TDarkSteel } }
      #declare I = -1;
      #while (I <= 1)
        object { FV_RBox(<-0.45, 0.04, I * 0.1 - 0.04>, <0.45, 0.62, I * 0.1 + 0.04>, 0.03) texture { Primer } }
        box { <-0.35, 0.38, I * 0.1 - 0.045>, <0.3, 0.58, I * 0.1 + 0.045> texture { pigment { rgb 0.05 } finish { FV_Glossy } } }
        #declare I = I + 2;
      #end
    }
  #break
  #case (17)
    #macro Seat(Z)
      union {
        object { FV_RBox(<-0.2, 0.12, Z - 0.2>, <0.25, 0.25, Z + 0.2>, 0.05) }
        object { FV_RBox(<-0.28, 0.2, Z - 0.2>, <-0.15, 0.75, Z + 0.2>, 0.05) rotate z * 8 }
        object { FV_RBox(<-0.28, 0.76, Z - 0.1>, <-0.2, 0.9, Z + 0.1>, 0.03) rotate z * 8 }
        texture { pigment { rgb <0.05, 0.05, 0.06> } finish { FV_Matte } }
      }
    #end
    #declare Load = union { Seat(-0.23) Seat(0.23) box { <-0.3, 0, -0.45>, <0.3, 0.12, 0.45> texture { FV_TDarkSteel } } }
  #break
  #case (18)
    #declare Load = union {
      box { <-0.5, 0, -0.35>, <0.5, 0.04, 0.35> texture { FV_TWood } }
      box { <-0.45, 0.04, -0.3>, <-0.4, 0.3, 0.3> texture { FV_TBlack } }
      box { <0.4, 0.04, -0.3>, <0.45, 0.3, 0.3> texture { FV_TBlack } }
      // A windscreen, bowed both ways, resting on the rack with its rubber seal.
      intersection {
        difference { sphere { <0, -2.2, 0>, 2.55 } sphere { <0, -2.2, 0>, 2.53 } }
        box { <-0.55, 0, -0.32>, <0.55, 1, 0.32> }
        texture { GlassT }
      }
      intersection {
        difference { sphere { <0, -2.2, 0>, 2.56 } sphere { <0, -2.2, 0>, 2.52 } }
        difference { box { <-0.56, 0, -0.33>, <0.56, 1, 0.33> } box { <-0.5, -1, -0.27>, <0.5, 2, 0.27> } }
        texture { FV_TBlack }
      }
    }
  #break
  #case (19)
    #declare Load = union {
      object { FV_RBox(<-0.45, 0, -0.32>, <0.45, 0.3, 0.32>, 0.02) texture { pigment { rgb <0.05, 0.22, 0.45> } finish { FV_Glossy } } }
      #declare I = 0;
      #while (I < 5)
        torus { 0.2 - I * 0.015, 0.025 translate <-0.15 + I * 0.07, 0.32 + I * 0.03, 0> texture { pigment { rgb <0.6 * mod(I + 1, 2), 0.35 * mod(I, 3) / 2, 0.03 + 0.4 * mod(I, 2)> } finish { FV_Glossy } } }
        #declare I = I + 1;
      #end
      torus { 0.22, 0.03 translate <0.1, 0.34, 0.05> texture { pigment { rgb 0.02 } finish { FV_Glossy } } }
    }
  #break
  #case (20)
    #declare Load = union {
      box { <-0.45, 0, -0.35>, <0.45, 0.05, 0.35> texture { FV_TDarkSteel } }
      object { FV_RBox(<-0.4, 0.05, -0.3>, <0.4, 0.1, 0.3>, 0.03) texture { FV_TBlack } }
      box { <-0.36, 0.1, -0.26>, <0.36, 0.12, 0.26> texture { GlassT } }
      object { FV_RBox(<-0.38, 0.15, -0.28>, <0.38, 0.2, 0.28>, 0.03) texture { FV_TBlack } translate y * 0.05 }
      box { <-0.34, 0.25, -0.24>, <0.34, 0.26, 0.24> texture { GlassT } }
    }
  #break
  #else
    #declare Load = union {
      box { <-0.45, 0, -0.3>, <0.45, 0.04, 0.3> texture { FV_TWood } }
      object { FV_RBox(<-0.2, 0.3, -0.55>, <0.15, 0.36, 0.55>, 0.025) rotate z * -8 texture { FV_TBlack } }
      box { <-0.08, 0.04, -0.35>, <0.02, 0.31, -0.3> texture { FV_TBlack } }
      box { <-0.08, 0.04, 0.3>, <0.02, 0.31, 0.35> texture { FV_TBlack } }
      box { <-0.2, 0.3, -0.56>, <0.15, 0.42, -0.54> rotate z * -8 texture { FV_TBlack } }
      box { <-0.2, 0.3, 0.54>, <0.15, 0.42, 0.56> rotate z * -8 texture { FV_TBlack } }
    }
#end
FV_ShowFixed(object { Load rotate y * -30 })
