// Welding station: a fixture table with a part clamped on it, the welding set with its wire
// feeder, gas bottles in a rack and a fume extraction arm on a post. Front is +x.
#version 3.7;
#include "fv_scene.inc"

#declare Welder = union {
  // Fixture table with clamps and a pressed part on it.
  object { FV_RBox(<-0.5, 0.8, -1.0>, <0.6, 0.9, 1.0>, 0.02) texture { FV_TDarkSteel } }
  #declare I = 0;
  #while (I < 4)
    box { <select(mod(I, 2) - 0.5, -0.45, 0.47), 0, select(div(I, 2) - 0.5, -0.95, 0.87)>, <select(mod(I, 2) - 0.5, -0.37, 0.55), 0.8, select(div(I, 2) - 0.5, -0.87, 0.95)> texture { FV_TSlate } }
    #declare I = I + 1;
  #end
  box { <-0.45, 0.2, -0.95>, <0.55, 0.26, 0.95> texture { FV_TSlate } }
  object { FV_RBox(<-0.3, 0.9, -0.6>, <0.35, 1.1, 0.5>, 0.06) texture { pigment { rgb 0.3 } finish { FV_Metal } } }
  #declare I = 0;
  #while (I < 3)
    box { <-0.05, 0.9, -0.75 + I * 0.55>, <0.1, 1.2, -0.65 + I * 0.55> texture { FV_TRed } }
    #declare I = I + 1;
  #end
  // Welding set and wire feeder.
  object { FV_RBox(<-1.3, 0, 0.5>, <-0.7, 0.85, 1.1>, 0.04) texture { FV_TOrange } }
  object { FV_RBox(<-1.25, 0.85, 0.55>, <-0.75, 1.15, 1.05>, 0.03) texture { FV_TSlate } }
  box { <-0.701, 0.45, 0.6>, <-0.69, 0.75, 1.0> texture { FV_TScreen } }
  torus { 0.18, 0.03 translate <-0.6, 0.6, 0.8> rotate y * 0 texture { FV_TBlack } }
  // Gas bottles in their rack.
  cylinder { <-1.15, 0, -0.3>, <-1.15, 1.45, -0.3>, 0.12 texture { FV_TGreen } }
  sphere { <-1.15, 1.45, -0.3>, 0.12 texture { FV_TGreen } }
  cylinder { <-1.15, 1.55, -0.3>, <-1.15, 1.65, -0.3>, 0.04 texture { FV_TChrome } }
  cylinder { <-1.15, 0, 0.05>, <-1.15, 1.45, 0.05>, 0.12 texture { pigment { rgb 0.3 } finish { FV_Glossy } } }
  sphere { <-1.15, 1.45, 0.05>, 0.12 texture { pigment { rgb 0.3 } finish { FV_Glossy } } }
  cylinder { <-1.15, 1.55, 0.05>, <-1.15, 1.65, 0.05>, 0.04 texture { FV_TChrome } }
  box { <-1.32, 0.9, -0.5>, <-1.28, 1.0, 0.25> texture { FV_TYellow } }
  box { <-1.32, 0, -0.5>, <-1.28, 1.0, -0.46> texture { FV_TYellow } }
  box { <-1.32, 0, 0.21>, <-1.28, 1.0, 0.25> texture { FV_TYellow } }
  // Fume extraction arm: post, two arm sections and a hood over the table.
  cylinder { <-0.8, 0, -0.95>, <-0.8, 2.7, -0.95>, 0.08 texture { FV_TYellow } }
  cylinder { <-0.8, 0, -0.95>, <-0.8, 0.04, -0.95>, 0.3 texture { FV_TDarkSteel } }
  cylinder { <-0.8, 2.6, -0.95>, <-0.1, 2.2, -0.6>, 0.09 texture { pigment { rgb 0.55 } finish { FV_Painted } } }
  cylinder { <-0.1, 2.2, -0.6>, <0.15, 1.65, -0.25>, 0.09 texture { pigment { rgb 0.55 } finish { FV_Painted } } }
  sphere { <-0.1, 2.2, -0.6>, 0.11 texture { FV_TYellow } }
  cone { <0.15, 1.65, -0.25>, 0.1, <0.18, 1.45, -0.22>, 0.24 open texture { FV_TYellow } }
}
FV_Show(Welder)
