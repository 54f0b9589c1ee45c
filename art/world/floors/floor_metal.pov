// Steel and painted floors. FV_Variant 1, 2: tread-plate mission floors; 3: the epoxy floor
// under machines; 4: a resource stockpile (16 painted pallet bays); 5: a component output area;
// 6: the outlined floor of a facility.
#version 3.7;
#include "fv_floor.inc"
#ifndef (FV_Variant) #declare FV_Variant = 1; #end

#declare H = FV_HalfTile;
#declare PaintYellow = texture { pigment { rgb <0.80, 0.56, 0.03> } finish { ambient 0.05 diffuse 0.8 specular 0.1 roughness 0.05 } }
#declare PaintWhite = texture { pigment { rgb <0.72, 0.72, 0.68> } finish { ambient 0.05 diffuse 0.8 specular 0.1 roughness 0.05 } }
#declare PaintBlack = texture { pigment { rgb 0.03 } finish { ambient 0.05 diffuse 0.8 } }

// Worn paint: lets a little of what is below show through.
#declare Wear = texture {
  pigment { granite color_map { [0 rgbt 1] [0.75 rgbt 1] [0.85 rgbt <0.2, 0.2, 0.2, 0.6>] [1 rgbt <0.2, 0.2, 0.2, 0.4>] } scale 0.3 }
}

// A square frame of painted line, Inset from the tile edge.
#macro Frame(Inset, Wd)
  union {
    FV_FloorLine(<-H + Inset, 0, -H + Inset - Wd / 2>, <-H + Inset, 0, H - Inset + Wd / 2>, Wd)
    FV_FloorLine(<H - Inset, 0, -H + Inset - Wd / 2>, <H - Inset, 0, H - Inset + Wd / 2>, Wd)
    FV_FloorLine(<-H + Inset - Wd / 2, 0, -H + Inset>, <H - Inset + Wd / 2, 0, -H + Inset>, Wd)
    FV_FloorLine(<-H + Inset - Wd / 2, 0, H - Inset>, <H - Inset + Wd / 2, 0, H - Inset>, Wd)
  }
#end

#declare Steel = rgb <0.24, 0.26, 0.28>;
#switch (FV_Variant)
  #case (1)
  #case (2)
    #declare Floor = union {
      object { FV_SlabShape FV_TreadPlate(Steel, FV_Variant) }
      FV_EdgeJoints(0.02)
      // Countersunk bolts at the plate corners.
      #declare I = 0;
      #while (I < 4)
        #declare P = <select(mod(I, 2) - 0.5, -H + 0.12, H - 0.12), 0, select(div(I, 2) - 0.5, -H + 0.12, H - 0.12)>;
        cylinder { P - y * 0.01, P + y * 0.004, 0.035 texture { FV_TSteel } }
        #declare I = I + 1;
      #end
    }
  #break
  #case (3)
    #declare Floor = union {
      object { FV_SlabShape FV_Concrete(rgb <0.16, 0.18, 0.17>, 4) texture { pigment { rgbt <0.1, 0.14, 0.13, 0.5> } finish { ambient 0.05 diffuse 0.7 specular 0.3 roughness 0.02 } } }
      FV_EdgeJoints(FV_JointWidth)
      object { Frame(0.3, 0.1) texture { PaintYellow } texture { Wear } }
    }
  #break
  #case (4)
    #declare Floor = union {
      object { FV_SlabShape FV_TreadPlate(Steel * 1.05, 4) }
      FV_EdgeJoints(0.02)
      union {
        Frame(0.06, 0.08)
        FV_FloorLine(<-H + 1.5, 0, -H + 0.1>, <-H + 1.5, 0, H - 0.1>, 0.05)
        FV_FloorLine(<0, 0, -H + 0.1>, <0, 0, H - 0.1>, 0.05)
        FV_FloorLine(<H - 1.5, 0, -H + 0.1>, <H - 1.5, 0, H - 0.1>, 0.05)
        FV_FloorLine(<-H + 0.1, 0, -H + 1.5>, <H - 0.1, 0, -H + 1.5>, 0.05)
        FV_FloorLine(<-H + 0.1, 0, 0>, <H - 0.1, 0, 0>, 0.05)
        FV_FloorLine(<-H + 0.1, 0, H - 1.5>, <H - 0.1, 0, H - 1.5>, 0.05)
        texture { PaintWhite } texture { Wear }
      }
    }
  #break
  #case (5)
    // Output area: a yellow and black border round a grid of bays.
    #declare Hatch = texture {
      pigment { gradient x color_map { [0 rgb <0.80, 0.56, 0.03>] [0.5 rgb <0.80, 0.56, 0.03>] [0.5 rgb 0.03] [1 rgb 0.03] } scale 0.35 rotate y * 45 }
      finish { ambient 0.05 diffuse 0.8 specular 0.1 roughness 0.05 }
    }
    #declare Floor = union {
      object { FV_SlabShape FV_Concrete(rgb <0.30, 0.30, 0.29>, 6) }
      FV_EdgeJoints(FV_JointWidth)
      difference {
        box { <-H + 0.08, -0.001, -H + 0.08>, <H - 0.08, 0.0008, H - 0.08> }
        box { <-H + 0.38, -1, -H + 0.38>, <H - 0.38, 1, H - 0.38> }
        texture { Hatch } texture { Wear }
      }
      union {
        FV_FloorLine(<-H + 1.5, 0, -H + 0.4>, <-H + 1.5, 0, H - 0.4>, 0.04)
        FV_FloorLine(<0, 0, -H + 0.4>, <0, 0, H - 0.4>, 0.04)
        FV_FloorLine(<H - 1.5, 0, -H + 0.4>, <H - 1.5, 0, H - 0.4>, 0.04)
        FV_FloorLine(<-H + 0.4, 0, -H + 1.5>, <H - 0.4, 0, -H + 1.5>, 0.04)
        FV_FloorLine(<-H + 0.4, 0, 0>, <H - 0.4, 0, 0>, 0.04)
        FV_FloorLine(<-H + 0.4, 0, H - 1.5>, <H - 0.4, 0, H - 1.5>, 0.04)
        texture { PaintWhite } texture { Wear }
      }
    }
  #break
  #else
    // Facility floor: concrete with a dashed white boundary.
    #declare Floor = union {
      object { FV_SlabShape FV_Concrete(rgb <0.325, 0.318, 0.302>, 8) }
      FV_EdgeJoints(FV_JointWidth)
      intersection {
        Frame(0.25, 0.09)
        union {
          #declare I = -4;
          #while (I <= 4)
            box { <I * 0.75 - 0.22, -1, -4>, <I * 0.75 + 0.22, 1, 4> }
            box { <-4, -1, I * 0.75 - 0.22>, <4, 1, I * 0.75 + 0.22> }
            #declare I = I + 1;
          #end
        }
        texture { PaintWhite } texture { Wear }
      }
  }
#end
FV_ShowFixed(intersection { object { Floor } object { FV_TileClip } })
