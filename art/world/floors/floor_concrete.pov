// Concrete floor slabs. FV_Variant 0: the plain slab (outside ground and bare slot floors);
// 1 and 2: the two mission floors, alike enough to be mixed tile by tile.
#version 3.7;
#include "fv_floor.inc"
#ifndef (FV_Variant) #declare FV_Variant = 1; #end

#switch (FV_Variant)
  #case (0) #declare Base = rgb <0.31, 0.305, 0.295>; #break
  #case (1) #declare Base = rgb <0.325, 0.318, 0.302>; #break
  #else #declare Base = rgb <0.318, 0.315, 0.302>;
#end

#declare Floor = union {
  object { FV_SlabShape FV_Concrete(Base, FV_Variant + 1) }
  FV_EdgeJoints(FV_JointWidth)
}
FV_ShowFixed(intersection { object { Floor } object { FV_TileClip } })
