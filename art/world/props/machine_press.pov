// Hydraulic stamping press: two tall side frames, a heavy crown with the cylinders, the slide
// over a die on the bolster, light curtains and a two-hand control stand at the front (+x).
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_RamDrop) #declare FV_RamDrop = 0; #end   // 0: slide up, 1: closed on the die

#declare Body = FV_TPaint;
#declare Press = union {
  // Base and bed.
  object { FV_RBox(<-0.9, 0, -1.15>, <0.9, 0.75, 1.15>, 0.05) texture { Body } }
  object { FV_RBox(<-0.75, 0.75, -0.8>, <0.75, 0.95, 0.8>, 0.02) texture { FV_TDarkSteel } }
  // Lower die.
  object { FV_RBox(<-0.55, 0.95, -0.6>, <0.55, 1.15, 0.6>, 0.02) texture { FV_TSteel } }
  // Side frames.
  object { FV_RBox(<-0.85, 0.7, -1.15>, <0.85, 3.0, -0.8>, 0.05) texture { Body } }
  object { FV_RBox(<-0.85, 0.7, 0.8>, <0.85, 3.0, 1.15>, 0.05) texture { Body } }
  // Crown with the cylinder caps and the oil tank.
  object { FV_RBox(<-0.95, 2.75, -1.2>, <0.95, 3.35, 1.2>, 0.06) texture { Body } }
  cylinder { <0, 3.35, -0.45>, <0, 3.55, -0.45>, 0.28 texture { FV_TDarkSteel } }
  cylinder { <0, 3.35, 0.45>, <0, 3.55, 0.45>, 0.28 texture { FV_TDarkSteel } }
  object { FV_RBox(<-0.9, 3.35, -1.15>, <-0.35, 3.75, 1.15>, 0.04) texture { FV_TSlate } }
  // Slide with the upper die, yellow as moving parts are.
  #declare RamY = 2.0 - FV_RamDrop * 0.62;
  object { FV_RBox(<-0.7, RamY, -0.78>, <0.7, RamY + 0.75, 0.78>, 0.03) texture { FV_TYellow } }
  object { FV_RBox(<-0.5, RamY - 0.22, -0.55>, <0.5, RamY, 0.55>, 0.02) texture { FV_TSteel } }
  cylinder { <0, RamY + 0.7, -0.4>, <0, 2.8, -0.4>, 0.09 texture { FV_TChrome } }
  cylinder { <0, RamY + 0.7, 0.4>, <0, 2.8, 0.4>, 0.09 texture { FV_TChrome } }
  // Light curtain posts on the front corners.
  #declare I = -1;
  #while (I <= 1)
    object { FV_RBox(<0.88, 0.8, I * 0.95 - 0.05>, <0.98, 2.3, I * 0.95 + 0.05>, 0.02) texture { FV_TYellow } }
    box { <0.975, 0.9, I * 0.95 - 0.02>, <0.985, 2.2, I * 0.95 + 0.02> texture { FV_TLampRed } }
    #declare I = I + 2;
  #end
  // Two-hand control stand.
  cylinder { <1.45, 0, 0>, <1.45, 0.95, 0>, 0.06 texture { FV_TDarkSteel } }
  cylinder { <1.45, 0, 0>, <1.45, 0.03, 0>, 0.22 texture { FV_TDarkSteel } }
  object { FV_RBox(<1.3, 0.95, -0.45>, <1.6, 1.12, 0.45>, 0.03) texture { FV_TYellow } }
  cylinder { <1.45, 1.12, -0.3>, <1.45, 1.16, -0.3>, 0.06 texture { FV_TGreen } }
  cylinder { <1.45, 1.12, 0.3>, <1.45, 1.16, 0.3>, 0.06 texture { FV_TGreen } }
  cylinder { <1.45, 1.12, 0>, <1.45, 1.18, 0>, 0.07 texture { FV_TRed } }
  // Hydraulic power pack at the back.
  object { FV_RBox(<-1.55, 0, -0.9>, <-0.9, 1.1, 0.3>, 0.04) texture { FV_TSlate } }
  cylinder { <-1.22, 1.1, -0.3>, <-1.22, 1.4, -0.3>, 0.2 texture { FV_TDarkSteel } }
  cylinder { <-1.0, 1.0, 0.1>, <-0.95, 2.8, 0.1>, 0.035 texture { FV_TChrome } }
  // Stack light.
  cylinder { <0.7, 3.35, 0.95>, <0.7, 3.5, 0.95>, 0.025 texture { FV_TDarkSteel } }
  cylinder { <0.7, 3.5, 0.95>, <0.7, 3.6, 0.95>, 0.055 texture { FV_TLampGreen } }
  cylinder { <0.7, 3.6, 0.95>, <0.7, 3.7, 0.95>, 0.055 texture { FV_TYellow } }
  cylinder { <0.7, 3.7, 0.95>, <0.7, 3.8, 0.95>, 0.055 texture { FV_TRed } }
  // Warning stripes on the bed front.
  box { <0.9, 0.15, -1.1>, <0.91, 0.6, 1.1> texture { FV_TWarnStripes } }
}
FV_Show(Press)
