// Wiring harness loom: a tilted assembly board on an A-frame with a harness laid out on pegs,
// and a rack of cable reels beside it. Front (+x) is where the operator stands.
#version 3.7;
#include "fv_scene.inc"

#macro Wire(A, B, C) cylinder { A, B, 0.022 texture { pigment { C } finish { FV_Glossy } } } sphere { B, 0.022 texture { pigment { C } finish { FV_Glossy } } } #end
#macro Reel(Z, Y, C)
  union {
    cylinder { <-1.07, Y, Z - 0.18>, <-1.07, Y, Z + 0.18>, 0.2 texture { pigment { C } finish { FV_Glossy } } }
    cylinder { <-1.07, Y, Z - 0.2>, <-1.07, Y, Z - 0.17>, 0.26 texture { FV_TWood } }
    cylinder { <-1.07, Y, Z + 0.17>, <-1.07, Y, Z + 0.2>, 0.26 texture { FV_TWood } }
  }
#end

#declare Board = union {
  // The board, 2.6 m long and 1.3 m high, tilted back by 25 degrees.
  union {
    object { FV_RBox(<-0.04, 0, -1.3>, <0.04, 1.3, 1.3>, 0.02) texture { pigment { rgb <0.55, 0.5, 0.38> } finish { FV_Matte } } }
    box { <0.03, 0.05, -1.25>, <0.05, 1.25, 1.25> texture { pigment { rgb <0.75, 0.74, 0.68> } finish { FV_Matte } } }
    // The harness: trunks and branches in several colours.
    Wire(<0.07, 0.65, -1.1>, <0.07, 0.65, 1.1>, rgb 0.02)
    Wire(<0.08, 0.65, -0.6>, <0.08, 1.05, -0.9>, rgb <0.6, 0.04, 0.03>)
    Wire(<0.08, 0.65, 0.0>, <0.08, 1.1, 0.25>, rgb <0.05, 0.2, 0.55>)
    Wire(<0.08, 0.65, 0.5>, <0.08, 0.25, 0.8>, rgb <0.75, 0.55, 0.02>)
    Wire(<0.08, 0.65, -0.2>, <0.08, 0.25, -0.45>, rgb <0.05, 0.4, 0.1>)
    Wire(<0.08, 0.65, 0.9>, <0.08, 1.0, 1.1>, rgb <0.6, 0.04, 0.03>)
    #declare I = -5;
    #while (I <= 5)
      cylinder { <0.04, 0.65, I * 0.2>, <0.14, 0.65, I * 0.2>, 0.012 texture { FV_TChrome } }
      #declare I = I + 1;
    #end
    rotate z * 25
    translate <0.2, 0.75, 0>
  }
  // A-frame legs.
  #declare I = -1;
  #while (I <= 1)
    cylinder { <0.25, 0, I * 1.2>, <0.2, 0.8, I * 1.2>, 0.04 texture { FV_TDarkSteel } }
    cylinder { <-0.5, 0, I * 1.2>, <-0.15, 1.7, I * 1.2>, 0.04 texture { FV_TDarkSteel } }
    box { <-0.6, 0, I * 1.2 - 0.05>, <0.35, 0.05, I * 1.2 + 0.05> texture { FV_TDarkSteel } }
    #declare I = I + 2;
  #end
  // Reel rack behind.
  box { <-1.35, 0, -1.2>, <-1.3, 1.4, -1.15> texture { FV_TYellow } }
  box { <-1.35, 0, 1.15>, <-1.3, 1.4, 1.2> texture { FV_TYellow } }
  box { <-0.85, 0, -1.2>, <-0.8, 1.4, -1.15> texture { FV_TYellow } }
  box { <-0.85, 0, 1.15>, <-0.8, 1.4, 1.2> texture { FV_TYellow } }
  cylinder { <-1.07, 0.45, -1.2>, <-1.07, 0.45, 1.2>, 0.03 texture { FV_TChrome } }
  cylinder { <-1.07, 1.15, -1.2>, <-1.07, 1.15, 1.2>, 0.03 texture { FV_TChrome } }
  Reel(-0.75, 0.45, rgb <0.6, 0.04, 0.03>)
  Reel(0.0, 0.45, rgb <0.05, 0.2, 0.55>)
  Reel(0.75, 0.45, rgb <0.75, 0.55, 0.02>)
  Reel(-0.4, 1.15, rgb 0.02)
  Reel(0.4, 1.15, rgb <0.05, 0.4, 0.1>)
}
// The loom is built a little over life size so it reads as a machine beside the others.
FV_Show(object { Board scale 1.25 })
