// CNC lathe: a long enclosed machine with a slanted front, a sliding window onto the spindle,
// a control pod on the right front corner and a chip conveyor at one end. Front is +x.
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Spin) #declare FV_Spin = 0; #end   // spindle turn in degrees (animation)

#declare Body = texture { pigment { rgb <0.48, 0.50, 0.50> } finish { FV_Painted } }
#declare Lathe = union {
  // Base cabinet.
  object { FV_RBox(<-0.65, 0, -1.6>, <0.6, 0.9, 1.6>, 0.05) texture { FV_TSlate } }
  // Enclosure with its slanted front.
  difference {
    prism { linear_sweep linear_spline -1.55, 1.55, 6,
      <-0.65, 0.85>, <0.6, 0.85>, <0.6, 1.35>, <0.25, 1.95>, <-0.65, 1.95>, <-0.65, 0.85>
      rotate x * -90 scale <1, 1, -1> }
    // The door window.
    box { <0.2, 1.0, -0.9>, <0.8, 1.75, 0.5> }
    texture { Body }
  }
  box { <0.22, 1.0, -0.9>, <0.26, 1.75, 0.5> texture { FV_TGlass } }
  // Behind the glass: chuck and tailstock.
  union {
    cylinder { <0, 0, 0>, <0, 0, 0.2>, 0.22 }
    box { <-0.04, -0.25, 0.2>, <0.04, 0.25, 0.25> rotate z * FV_Spin }
    translate <-0.05, 1.35, -0.75>
    texture { FV_TSteel }
  }
  cylinder { <-0.05, 1.35, 0.1>, <-0.05, 1.35, 0.45>, 0.08 texture { FV_TSteel } }
  // Door handle and slide rail.
  box { <0.24, 1.1, 0.35>, <0.32, 1.55, 0.4> texture { FV_TDarkSteel } }
  box { <0.28, 1.76, -1.45>, <0.34, 1.8, 1.45> texture { FV_TDarkSteel } }
  // Control pod on an arm.
  cylinder { <0.45, 1.9, 1.4>, <0.7, 1.7, 1.75>, 0.04 texture { FV_TDarkSteel } }
  object { FV_RBox(<0.55, 1.15, 1.55>, <0.85, 1.85, 2.05>, 0.04) rotate z * 8 texture { FV_TSlate } }
  box { <0.84, 1.45, 1.6>, <0.87, 1.78, 2.0> rotate z * 8 texture { FV_TScreen } }
  cylinder { <0.85, 1.3, 1.95>, <0.9, 1.3, 1.95>, 0.04 texture { FV_TRed } }
  // Chip conveyor and coolant tank at the left end.
  object { FV_RBox(<-0.5, 0, -2.2>, <0.3, 0.5, -1.6>, 0.03) texture { FV_TDarkSteel } }
  box { <-0.35, -0.1, -0.35>, <0.15, 0.1, 0.45> rotate x * -40 translate <0, 0.85, -1.9> texture { FV_TDarkSteel } }
  // Status light on the roof.
  cylinder { <-0.4, 1.95, 1.3>, <-0.4, 2.05, 1.3>, 0.05 texture { FV_TDarkSteel } }
  cylinder { <-0.4, 2.05, 1.3>, <-0.4, 2.15, 1.3>, 0.05 texture { FV_TLampGreen } }
  cylinder { <-0.4, 2.15, 1.3>, <-0.4, 2.25, 1.3>, 0.05 texture { FV_TLampAmber } }
}
FV_Show(Lathe)
