// Overhead resource conveyor, one piece per tile side: the rail runs at 1.65 m from the tile
// centre to the middle of edge FV_Side (0 north-east, 1 south-east, 2 south-west, 3 north-west),
// carried by a post at its middle. FV_Kind 1 ends the line at the centre with a stop and a
// lowering station (stockpile tiles). The frame is the wall frame: 512 x 512, tile centre at
// (256, 384).
#version 3.7;
#declare FV_ShadowOnTile = 1;
#include "fv_scene.inc"
#ifndef (FV_Side) #declare FV_Side = 1; #end
#ifndef (FV_Kind) #declare FV_Kind = 0; #end

#declare RailY = 1.65;
#declare Beam = texture { pigment { rgb <0.07, 0.12, 0.2> } finish { FV_Painted } }
// Along +x from the centre to the edge (x = 3).
#declare Piece = union {
  // I-beam: top flange, web and the lower flange the trolleys run on.
  box { <-0.09, RailY + 0.16, -0.07>, <3.0, RailY + 0.2, 0.07> texture { Beam } }
  box { <-0.09, RailY + 0.02, -0.015>, <3.0, RailY + 0.16, 0.015> texture { Beam } }
  box { <-0.09, RailY - 0.02, -0.08>, <3.0, RailY + 0.02, 0.08> texture { FV_TSteel } }
  // Post with its bracket over the rail and a base plate.
  object { FV_RBox(<1.44, 0, 0.16>, <1.56, RailY + 0.32, 0.28>, 0.015) texture { Beam } }
  box { <1.42, RailY + 0.2, -0.1>, <1.58, RailY + 0.28, 0.3> texture { Beam } }
  box { <1.36, 0, 0.08>, <1.64, 0.03, 0.36> texture { FV_TDarkSteel } }
  box { <1.435, 0.03, 0.155>, <1.565, 0.35, 0.285> texture { FV_TWarnStripes scale 0.4 } }
  // The chain in its channel and a trolley.
  box { <-0.09, RailY - 0.06, -0.03>, <3.0, RailY - 0.02, 0.03> texture { FV_TDarkSteel } }
  #if (FV_Kind = 1)
    // End stop and the lowering station at the tile centre.
    object { FV_RBox(<-0.25, RailY - 0.1, -0.12>, <-0.09, RailY + 0.22, 0.12>, 0.02) texture { FV_TRed } }
    object { FV_RBox(<-0.2, RailY + 0.2, -0.35>, <0.45, RailY + 0.45, 0.35>, 0.03) texture { FV_TSlate } }
    box { <0.44, RailY + 0.25, -0.3>, <0.46, RailY + 0.4, 0.3> texture { FV_TWarnStripes scale 0.5 } }
    cylinder { <0.1, RailY + 0.45, 0.25>, <0.1, RailY + 0.55, 0.25>, 0.05 texture { FV_TLampGreen } }
  #end
}
FV_ShowFixed(object { Piece rotate FV_FacingTurn(FV_Side) })
