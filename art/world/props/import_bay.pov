// Import bay: where deliveries come in through the wall (behind, -x) and are hung on the overhead
// conveyor. A roller table from the door, crates on it, and a yellow loading frame with a hoist
// over the start of the overhead line at the centre.
#version 3.7;
#include "fv_scene.inc"

#declare Crate = union {
  object { FV_RBox(<-0.3, 0, -0.35>, <0.3, 0.5, 0.35>, 0.02) texture { pigment { rgb <0.5, 0.34, 0.17> } normal { wood 0.2 scale 0.08 } finish { FV_Matte } } }
  box { <-0.31, 0.1, -0.36>, <0.31, 0.15, 0.36> texture { FV_TDarkSteel } }
  box { <-0.31, 0.35, -0.36>, <0.31, 0.4, 0.36> texture { FV_TDarkSteel } }
}
#declare Bay = union {
  // Roller table from the door to the loading frame.
  box { <-2.9, 0.62, -0.62>, <0.3, 0.68, -0.56> texture { FV_TSlate } }
  box { <-2.9, 0.62, 0.56>, <0.3, 0.68, 0.62> texture { FV_TSlate } }
  #declare I = 0;
  #while (I < 16)
    cylinder { <-2.8 + I * 0.2, 0.65, -0.56>, <-2.8 + I * 0.2, 0.65, 0.56>, 0.04 texture { FV_TChrome } }
    #declare I = I + 1;
  #end
  #declare I = 0;
  #while (I < 4)
    box { <-2.8 + I * 1.0, 0, -0.6>, <-2.74 + I * 1.0, 0.62, -0.54> texture { FV_TSlate } }
    box { <-2.8 + I * 1.0, 0, 0.54>, <-2.74 + I * 1.0, 0.62, 0.6> texture { FV_TSlate } }
    #declare I = I + 1;
  #end
  object { Crate translate <-2.2, 0.69, 0> }
  object { Crate rotate y * 8 translate <-1.4, 0.69, 0.02> }
  object { Crate scale <0.8, 0.7, 0.8> translate <-1.42, 1.19, 0.0> }
  // Loading frame: two posts, a top beam along the line, a hoist and a hanging hook.
  #declare I = -1;
  #while (I <= 1)
    object { FV_RBox(<0.1, 0, I * 1.1 - 0.09>, <0.28, 2.6, I * 1.1 + 0.09>, 0.02) texture { FV_TYellow } }
    box { <-0.05, 0, I * 1.1 - 0.2>, <0.43, 0.04, I * 1.1 + 0.2> texture { FV_TDarkSteel } }
    #declare I = I + 2;
  #end
  object { FV_RBox(<0.05, 2.45, -1.25>, <0.33, 2.7, 1.25>, 0.02) texture { FV_TYellow } }
  box { <0.28, 2.0, -1.0>, <0.3, 2.45, 1.0> texture { FV_TWarnStripes } }
  object { FV_RBox(<0.0, 2.15, -0.25>, <0.38, 2.45, 0.25>, 0.04) texture { FV_TSlate } }
  cylinder { <0.19, 2.15, 0>, <0.19, 1.4, 0>, 0.012 texture { FV_TDarkSteel } }
  torus { 0.06, 0.015 rotate x * 90 translate <0.19, 1.34, 0> texture { FV_TDarkSteel } }
  // Control box with a beacon.
  object { FV_RBox(<0.35, 1.0, 1.2>, <0.55, 1.5, 1.5>, 0.02) texture { pigment { rgb 0.5 } finish { FV_Painted } } }
  cylinder { <0.45, 1.5, 1.35>, <0.45, 1.65, 1.35>, 0.06 texture { FV_TLampAmber } }
  cylinder { <0.56, 1.35, 1.3>, <0.58, 1.35, 1.3>, 0.03 texture { FV_TGreen } }
  cylinder { <0.56, 1.2, 1.3>, <0.58, 1.2, 1.3>, 0.03 texture { FV_TRed } }
}
FV_Show(Bay)
