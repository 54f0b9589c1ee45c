// Generator set of the power plant: a long acoustic enclosure with louvres on a fuel-tank skid,
// a radiator grille at the front (+x), an exhaust silencer and stack on the roof.
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Fan) #declare FV_Fan = 0; #end

#declare Enclosure = texture { pigment { rgb <0.08, 0.20, 0.10> } finish { FV_Painted } }
#declare Louvre = texture {
  pigment { gradient y color_map { [0 rgb 0.02] [0.45 rgb 0.02] [0.45 rgb <0.08, 0.20, 0.10>] [1 rgb <0.08, 0.20, 0.10>] } scale 0.1 }
  normal { gradient y 0.5 scale 0.1 }
  finish { FV_Painted }
}
#declare Gen = union {
  // Skid with the fuel tank.
  object { FV_RBox(<-2.0, 0, -1.05>, <2.0, 0.35, 1.05>, 0.03) texture { FV_TDarkSteel } }
  // Enclosure.
  object { FV_RBox(<-1.9, 0.35, -0.95>, <1.8, 2.45, 0.95>, 0.05) texture { Enclosure } }
  // Louvres and access doors on the long sides.
  #declare I = 0;
  #while (I < 3)
    box { <-1.5 + I * 1.1, 0.9, 0.94>, <-0.7 + I * 1.1, 2.0, 0.96> texture { Louvre } }
    box { <-1.5 + I * 1.1, 0.9, -0.96>, <-0.7 + I * 1.1, 2.0, -0.94> texture { Louvre } }
    box { <-1.45 + I * 1.1, 0.5, 0.955>, <-0.75 + I * 1.1, 0.55, 0.965> texture { FV_TYellow } }
    #declare I = I + 1;
  #end
  // Radiator grille and fan hub.
  box { <1.79, 0.55, -0.8>, <1.82, 2.3, 0.8> texture { pigment { gradient z color_map { [0 rgb 0.02] [0.5 rgb 0.02] [0.5 rgb 0.2] [1 rgb 0.2] } scale 0.06 } finish { FV_Metal } } }
  union {
    #declare I = 0;
    #while (I < 6)
      box { <0, -0.04, 0>, <0.02, 0.04, 0.65> rotate x * (I * 60 + FV_Fan) }
      #declare I = I + 1;
    #end
    translate <1.83, 1.42, 0>
    texture { FV_TSteel }
  }
  // Control panel door with screen.
  object { FV_RBox(<-1.95, 0.9, -0.5>, <-1.88, 2.0, 0.5>, 0.02) texture { Enclosure } }
  box { <-1.96, 1.5, -0.25>, <-1.95, 1.8, 0.25> texture { FV_TScreen } }
  // Exhaust silencer and stack.
  cylinder { <-1.2, 2.65, 0>, <0.6, 2.65, 0>, 0.28 texture { FV_TSteel } }
  box { <-1.0, 2.45, -0.1>, <-0.8, 2.5, 0.1> texture { FV_TDarkSteel } }
  box { <0.3, 2.45, -0.1>, <0.5, 2.5, 0.1> texture { FV_TDarkSteel } }
  cylinder { <0.5, 2.65, 0>, <0.5, 3.9, 0>, 0.13 texture { FV_TDarkSteel } }
  cylinder { <0.5, 3.85, 0>, <0.5, 3.92, 0>, 0.16 texture { FV_TDarkSteel } }
  // Cable trunk to the floor and a warning plate.
  object { FV_RBox(<-2.1, 0, 0.2>, <-1.9, 0.9, 0.6>, 0.02) texture { FV_TDarkSteel } }
  box { <1.0, 1.5, 0.96>, <1.5, 1.9, 0.97> texture { FV_TYellow } }
}
FV_Show(Gen)
