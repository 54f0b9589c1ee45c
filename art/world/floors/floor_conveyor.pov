// The car conveyor set into the floor, seen per facing FV_Facing (the direction cars travel):
// FV_Variant 0: a station (the car stops on a marked bay); 1: straight belt; 2: right turn;
// 3: left turn; 4 and 5: a straight belt that a second one joins from the left or the right;
// 6 and 7: a straight belt that a branch leaves to the left or the right. Belts meet their
// neighbours edge to edge, so a line of pieces reads as one belt.
#version 3.7;
#include "fv_floor.inc"
#ifndef (FV_Variant) #declare FV_Variant = 1; #end

#declare H = FV_HalfTile;
#declare BandHalf = 1.2;
#declare Slats = texture {
  pigment { gradient x color_map { [0 rgb 0.075] [0.85 rgb 0.095] [0.85 rgb 0.03] [1 rgb 0.03] } scale 0.3 }
  normal { gradient x 0.4 scale 0.3 }
  finish { ambient 0.05 diffuse 0.7 specular 0.5 roughness 0.02 metallic 0.4 }
}
#declare Hazard = texture {
  pigment { gradient x color_map { [0 rgb <0.80, 0.56, 0.03>] [0.5 rgb <0.80, 0.56, 0.03>] [0.5 rgb 0.03] [1 rgb 0.03] } scale 0.3 rotate y * 45 }
  finish { ambient 0.05 diffuse 0.8 specular 0.1 roughness 0.05 }
}
#declare Arrow = texture { pigment { rgb <0.62, 0.62, 0.58> } finish { ambient 0.05 diffuse 0.8 } }
#declare PaintWhite = texture { pigment { rgb <0.72, 0.72, 0.68> } finish { ambient 0.05 diffuse 0.8 } }

// A straight run of belt along +x from x = X0 to X1.
#macro Belt(X0, X1)
  union {
    box { <X0, -0.0015, -BandHalf>, <X1, 0.0006, BandHalf> texture { Slats } }
    box { <X0, -0.0015, BandHalf>, <X1, 0.0008, BandHalf + 0.16> texture { Hazard } }
    box { <X0, -0.0015, -BandHalf - 0.16>, <X1, 0.0008, -BandHalf> texture { Hazard } }
    box { <X0, -0.0015, BandHalf + 0.16>, <X1, 0.0009, BandHalf + 0.19> texture { FV_TSteel } }
    box { <X0, -0.0015, -BandHalf - 0.19>, <X1, 0.0009, -BandHalf - 0.16> texture { FV_TSteel } }
  }
#end
// A chevron pointing +x at X.
#macro Chevron(X)
  union {
    FV_FloorLine(<X - 0.35, 0.0002, -0.55>, <X + 0.05, 0.0002, 0>, 0.16)
    FV_FloorLine(<X - 0.35, 0.0002, 0.55>, <X + 0.05, 0.0002, 0>, 0.16)
    texture { Arrow }
  }
#end

// A small arrow head pointing +x at X, painted on a table.
#macro Head(X)
  union {
    FV_FloorLine(<X - 0.3, 0.0013, -0.32>, <X + 0.03, 0.0013, 0>, 0.12)
    FV_FloorLine(<X - 0.3, 0.0013, 0.32>, <X + 0.03, 0.0013, 0>, 0.12)
  }
#end
// The steel-rimmed table at the middle of a switch where belts meet (as on the turntables).
#declare Table = union {
  difference {
    cylinder { <0, -0.0015, 0>, <0, 0.0012, 0>, 1.75 }
    cylinder { <0, -1, 0>, <0, 1, 0>, 1.6 }
    texture { FV_TSteel }
  }
  cylinder { <0, -0.0015, 0>, <0, 0.0011, 0>, 1.6 texture { Slats } }
}

#declare Base = object { FV_SlabShape FV_Concrete(rgb <0.30, 0.30, 0.29>, 11) }

#switch (FV_Variant)
  #case (0)
    #declare Piece = union {
      Belt(-H - 0.1, H + 0.1)
      // The bay where the car stops, with wheel stops at its front.
      union {
        FV_FloorLine(<-2.3, 0.0003, -BandHalf - 0.35>, <2.3, 0.0003, -BandHalf - 0.35>, 0.08)
        FV_FloorLine(<-2.3, 0.0003, BandHalf + 0.35>, <2.3, 0.0003, BandHalf + 0.35>, 0.08)
        FV_FloorLine(<-2.3, 0.0003, -BandHalf - 0.39>, <-2.3, 0.0003, BandHalf + 0.39>, 0.08)
        FV_FloorLine(<2.3, 0.0003, -BandHalf - 0.39>, <2.3, 0.0003, BandHalf + 0.39>, 0.08)
        texture { PaintWhite }
      }
      Chevron(2.0)
      Chevron(-1.6)
      object { FV_RBox(<1.55, 0, -0.95>, <1.75, 0.06, -0.55>, 0.02) texture { FV_TYellow } }
      object { FV_RBox(<1.55, 0, 0.55>, <1.75, 0.06, 0.95>, 0.02) texture { FV_TYellow } }
    }
  #break
  #case (1)
    #declare Piece = union { Belt(-H - 0.1, H + 0.1) Chevron(-1.5) Chevron(0.0) Chevron(1.5) }
  #break
  #range (2, 3)
    // A turntable: the belt comes in from behind, the car is turned and leaves to one side.
    #declare Side = (FV_Variant = 2 ? 1 : -1);
    #declare Piece = union {
      Belt(-H - 0.1, 0)
      object { Belt(0, H + 0.1) rotate y * -90 * Side }
      difference {
        cylinder { <0, -0.0015, 0>, <0, 0.0012, 0>, 1.75 }
        cylinder { <0, -1, 0>, <0, 1, 0>, 1.6 }
        texture { FV_TSteel }
      }
      cylinder { <0, -0.0015, 0>, <0, 0.0011, 0>, 1.6 texture { Slats } }
      Chevron(-2.1)
      object { Chevron(2.3) rotate y * -90 * Side }
      // The turn arrow across the table.
      union {
        #declare I = 0;
        #while (I < 8)
          #declare A0 = radians(180 + I * 10);
          #declare A1 = radians(180 + (I + 1) * 10);
          FV_FloorLine(<0.9 * cos(A0) + 0.9, 0.0013, (0.9 * sin(A0)) * -Side>, <0.9 * cos(A1) + 0.9, 0.0013, (0.9 * sin(A1)) * -Side>, 0.12)
          #declare I = I + 1;
        #end
        texture { Arrow }
      }
    }
  #break
  #else
    // A switch table on a straight belt, with a side belt to the left (4, 6) or the right (5, 7):
    // cars come in along it and join the belt (4, 5), or leave the belt along it (6, 7).
    #declare Side = (mod(FV_Variant, 2) = 1 ? 1 : -1);
    #declare Merge = (FV_Variant < 6);
    #declare Piece = union {
      // The straight belt opens on the side belt's side, whose edges start there.
      difference {
        Belt(-H - 0.1, H + 0.1)
        box { <-BandHalf - 0.2, -1, BandHalf - 0.001>, <BandHalf + 0.2, 1, BandHalf + 0.5> scale <1, 1, Side> }
      }
      object { Belt(BandHalf, H + 0.1) rotate y * -90 * Side }
      object { Table }
      Chevron(-2.1)
      Chevron(2.5)
      #if (Merge)
        object { Chevron(-2.3) rotate y * 90 * Side }
      #else
        object { Chevron(2.5) rotate y * -90 * Side }
      #end
      // Across the table: straight on, and the curve the side belt's cars take into the belt or
      // out of it, with heads where cars leave the table.
      union {
        FV_FloorLine(<-1.35, 0.0013, 0>, <1.35, 0.0013, 0>, 0.12)
        Head(1.35)
        #declare I = 0;
        #while (I < 9)
          #if (Merge)
            #declare A0 = radians(180 + I * 10);
            #declare A1 = radians(180 + (I + 1) * 10);
            #declare C = <0.9, 0, 0.9>;
          #else
            #declare A0 = radians(270 + I * 10);
            #declare A1 = radians(270 + (I + 1) * 10);
            #declare C = <-0.9, 0, 0.9>;
          #end
          FV_FloorLine(<C.x + 0.9 * cos(A0), 0.0013, (C.z + 0.9 * sin(A0)) * Side>, <C.x + 0.9 * cos(A1), 0.0013, (C.z + 0.9 * sin(A1)) * Side>, 0.12)
          #declare I = I + 1;
        #end
        FV_FloorLine(<0, 0.0013, 0.85 * Side>, <0, 0.0013, 1.35 * Side>, 0.12)
        #if (!Merge)
          object { Head(1.35) rotate y * -90 * Side }
        #end
        texture { Arrow }
      }
    }
#end
#declare Floor = union { object { Base } FV_EdgeJoints(FV_JointWidth) object { Piece rotate FV_FacingTurn(FV_Facing) } }
FV_ShowFixed(intersection { object { Floor } object { FV_TileClip } })
