// The carrier a resource hangs on from the overhead conveyor: a trolley on the rail, a rod and a
// C-hook whose lower arm the load sits on. The game draws it at the path point raised by 24
// pixels, the load over it; the anchor here is that path point on the floor.
#version 3.7;
#include "fv_scene.inc"

#declare RailY = 1.65;
#declare Carrier = union {
  // Trolley wheels either side of the rail flange, and the yoke under it.
  cylinder { <-0.08, RailY + 0.03, -0.1>, <-0.08, RailY + 0.03, -0.06>, 0.045 texture { FV_TDarkSteel } }
  cylinder { <-0.08, RailY + 0.03, 0.06>, <-0.08, RailY + 0.03, 0.1>, 0.045 texture { FV_TDarkSteel } }
  cylinder { <0.08, RailY + 0.03, -0.1>, <0.08, RailY + 0.03, -0.06>, 0.045 texture { FV_TDarkSteel } }
  cylinder { <0.08, RailY + 0.03, 0.06>, <0.08, RailY + 0.03, 0.1>, 0.045 texture { FV_TDarkSteel } }
  object { FV_RBox(<-0.12, RailY - 0.1, -0.11>, <0.12, RailY - 0.02, 0.11>, 0.02) texture { FV_TYellow } }
  // Rod and the C: back spine, lower arm under the load.
  cylinder { <0, RailY - 0.1, 0>, <0, RailY - 0.35, 0>, 0.02 texture { FV_TSteel } }
  cylinder { <0, RailY - 0.35, 0>, <-0.35, RailY - 0.45, 0>, 0.022 texture { FV_TYellow } }
  cylinder { <-0.35, RailY - 0.45, 0>, <-0.35, 0.25, 0>, 0.022 texture { FV_TYellow } }
  cylinder { <-0.35, 0.25, -0.12>, <0.3, 0.25, -0.12>, 0.018 texture { FV_TYellow } }
  cylinder { <-0.35, 0.25, 0.12>, <0.3, 0.25, 0.12>, 0.018 texture { FV_TYellow } }
  cylinder { <-0.35, 0.25, -0.14>, <-0.35, 0.25, 0.14>, 0.022 texture { FV_TYellow } }
  sphere { <-0.35, RailY - 0.45, 0>, 0.022 texture { FV_TYellow } }
}
FV_ShowFixed(Carrier)
