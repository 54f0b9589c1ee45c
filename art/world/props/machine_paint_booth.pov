// Paint booth: a closed, lit cabin with a window strip and a door on the front (+x), a filter
// plenum on the roof with two exhaust stacks, and the air unit on its side.
#version 3.7;
#include "fv_scene.inc"

#declare Panel = texture {
  pigment { gradient z color_map { [0 rgb 0.62] [0.96 rgb 0.62] [0.96 rgb 0.45] [1 rgb 0.45] } scale 0.9 }
  finish { FV_Painted }
}
#declare PanelX = texture {
  pigment { gradient x color_map { [0 rgb 0.62] [0.96 rgb 0.62] [0.96 rgb 0.45] [1 rgb 0.45] } scale 0.9 }
  finish { FV_Painted }
}
#declare Lit = texture { pigment { rgb <1.0, 0.97, 0.85> } finish { ambient 0.95 diffuse 0 } }
#declare Booth = union {
  // Cabin.
  difference {
    object { FV_RBox(<-1.5, 0, -1.8>, <1.5, 2.7, 1.8>, 0.04) }
    box { <1.3, 1.3, -1.55>, <1.6, 2.0, 0.3> }
    box { <-1.2, 1.3, 1.6>, <1.2, 2.0, 1.9> }
    texture { Panel }
  }
  box { <1.35, 1.3, -1.55>, <1.4, 2.0, 0.3> texture { Lit } }
  box { <-1.2, 1.3, 1.65>, <1.2, 2.0, 1.7> texture { Lit } }
  // A car body being painted, seen through the window.
  box { <1.36, 1.3, -1.2>, <1.38, 1.55, -0.1> texture { pigment { rgb <0.5, 0.06, 0.05> } finish { FV_Glossy } } }
  // Door with its window and handle.
  object { FV_RBox(<1.45, 0, 0.55>, <1.56, 2.1, 1.45>, 0.02) texture { PanelX } }
  box { <1.55, 1.3, 0.75>, <1.57, 1.8, 1.25> texture { Lit } }
  box { <1.56, 0.95, 0.65>, <1.6, 1.05, 0.8> texture { FV_TDarkSteel } }
  // Roof plenum, stacks and a warning beacon.
  object { FV_RBox(<-1.4, 2.7, -1.7>, <1.2, 3.1, 1.7>, 0.04) texture { FV_TSlate } }
  cylinder { <-0.6, 3.1, -1.0>, <-0.6, 4.3, -1.0>, 0.28 texture { FV_TSteel } }
  cylinder { <-0.6, 3.1, 0.8>, <-0.6, 4.3, 0.8>, 0.28 texture { FV_TSteel } }
  cone { <-0.6, 4.3, -1.0>, 0.32, <-0.6, 4.5, -1.0>, 0.1 texture { FV_TDarkSteel } }
  cone { <-0.6, 4.3, 0.8>, 0.32, <-0.6, 4.5, 0.8>, 0.1 texture { FV_TDarkSteel } }
  cylinder { <0.9, 3.1, 1.4>, <0.9, 3.3, 1.4>, 0.08 texture { FV_TLampAmber } }
  // Air handling unit on the side with a duct into the roof.
  object { FV_RBox(<-1.3, 0, -2.6>, <0.2, 1.6, -1.8>, 0.04) texture { FV_TPaint } }
  box { <0.19, 0.2, -2.5>, <0.21, 1.4, -1.9> texture { pigment { gradient y color_map { [0 rgb 0.1] [0.5 rgb 0.1] [0.5 rgb 0.3] [1 rgb 0.3] } scale 0.1 } finish { FV_Metal } } }
  box { <-0.9, 1.6, -2.3>, <-0.3, 2.9, -1.9> texture { FV_TSteel } }
  // Red and white stripe: flammable area.
  box { <1.5, 0.1, -1.8>, <1.51, 0.4, 0.5> texture { pigment { gradient z color_map { [0 rgb <0.55, 0.04, 0.03>] [0.5 rgb <0.55, 0.04, 0.03>] [0.5 rgb 0.8] [1 rgb 0.8] } scale 0.4 } finish { FV_Painted } } }
}
FV_Show(Booth)
