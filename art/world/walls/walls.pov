// Back walls of a building zone and its import and export sites. A wall stands on one edge of a
// tile, 3 m high, its inner face on the edge line and its thickness outside the zone.
//   FV_WallSet  1: painted block wall; 2: steel cladding on a concrete plinth; 3: brick
//   FV_Side     0: north-east edge, 1: south-east, 2: south-west, 3: north-west
//   FV_Kind     0: plain wall; 1: the alternate (with a fitting); 2: import site; 3: export site
// Patterns repeat a whole number of times along 6 m, so neighbouring segments join seamlessly.
// Sites on the near edges (1, 2), where no wall is drawn, are marked on the floor only.
#version 3.7;
#declare FV_ShadowOnTile = 1;
#include "fv_scene.inc"
#ifndef (FV_WallSet) #declare FV_WallSet = 1; #end
#ifndef (FV_Side) #declare FV_Side = 3; #end
#ifndef (FV_Kind) #declare FV_Kind = 0; #end

#declare H = FV_TILE / 2;
#declare WallH = 3.0;
#declare Thick = 0.3;

// ---- wall surfaces, in local coordinates: u along the edge (-H..H), v up, w outward (w < 0) --
#switch (FV_WallSet)
  #case (1)
    #declare Upper = rgb <0.56, 0.54, 0.47>;
    #declare Lower = rgb <0.16, 0.24, 0.26>;
    // Blocks 0.4 x 0.2 m with mortar joints, stretcher bond.
    #declare Blocks = normal {
      function {
        max(
          select(mod(abs(y), 0.2) - 0.012, 1, 0),
          select(mod(abs(x + select(mod(floor(y / 0.2), 2) - 0.5, 0, 0.2)), 0.4) - 0.012, 1, 0))
      } 0.3
    }
    #declare Surface = texture {
      pigment { function { min(1, max(0, y / 3)) } color_map { [0 Lower] [0.366 Lower] [0.367 Upper] [1 Upper] } }
      normal { Blocks }
      finish { ambient 0.06 diffuse 0.82 specular 0.05 roughness 0.1 }
    }
    #declare CapTex = texture { pigment { rgb 0.38 } finish { ambient 0.06 diffuse 0.8 } }
    #declare Trim = texture { pigment { rgb <0.80, 0.56, 0.03> } finish { FV_Painted } }
  #break
  #case (2)
    #declare Clad = rgb <0.13, 0.20, 0.29>;
    #declare Surface = texture {
      pigment { function { min(1, max(0, y / 3)) } color_map { [0 rgb 0.30] [0.2 rgb 0.30] [0.201 Clad] [1 Clad] } }
      normal { function { select(y - 0.6, 0, abs(sin(x * pi / 0.15))) } 0.5 }
      finish { ambient 0.06 diffuse 0.75 specular 0.35 roughness 0.03 metallic 0.3 }
    }
    #declare CapTex = texture { pigment { rgb 0.5 } finish { FV_Metal } }
    #declare Trim = texture { pigment { rgb <0.80, 0.56, 0.03> } finish { FV_Painted } }
  #break
  #else
    #declare Brick = rgb <0.36, 0.12, 0.07>;
    #declare Mortar = rgb <0.45, 0.42, 0.36>;
    #declare Surface = texture {
      pigment {
        function {
          max(
            select(mod(abs(y), 0.075) - 0.01, 1, 0),
            select(mod(abs(x + select(mod(floor(y / 0.075), 2) - 0.5, 0, 0.125)), 0.25) - 0.01, 1, 0))
        }
        color_map { [0 Brick] [1 Mortar] }
      }
      normal { granite 0.2 scale 0.05 }
      finish { ambient 0.06 diffuse 0.8 specular 0.04 roughness 0.1 }
    }
    // A band of pale stone at lintel height and a stone coping.
    #declare CapTex = texture { pigment { rgb <0.55, 0.52, 0.45> } finish { ambient 0.06 diffuse 0.8 } }
    #declare Trim = texture { pigment { rgb <0.80, 0.56, 0.03> } finish { FV_Painted } }
#end

// The plain wall slab from u0 to u1 (the far end reaches past the corner to close it). For the
// shadow the wall runs on, so that a row of segments shades the floor as one wall.
#macro Slab(U0A, U1A)
  #if (FV_Pass = 1)
    #local U0 = -20;
    #local U1 = 20;
  #else
    #local U0 = U0A;
    #local U1 = U1A;
  #end
  union {
    box { <U0, 0, -Thick>, <U1, WallH, 0> texture { Surface } }
    box { <U0, WallH, -Thick - 0.04>, <U1, WallH + 0.08, 0.04> texture { CapTex } }
    #if (FV_WallSet = 3)
      box { <U0, 2.2, -0.02>, <U1, 2.32, 0.02> texture { CapTex } }
    #end
    #if (FV_WallSet = 2)
      box { <U0, 0.6, -0.02>, <U1, 0.65, 0.025> texture { CapTex } }
    #end
    // Skirting kerb: a yellow edge where wall meets floor.
    box { <U0, 0, -0.02>, <U1, 0.12, 0.05> texture { Trim } }
  }
#end

// A window: frame and panes cut into the wall, looking out into daylight.
#macro Window(U, Bottom, Wd, Ht)
  union {
    box { <U - Wd / 2, Bottom, -0.19>, <U + Wd / 2, Bottom + Ht, -0.17> pigment { gradient y color_map { [0 rgb <0.55, 0.66, 0.72>] [1 rgb <0.30, 0.40, 0.48>] } scale Ht translate y * Bottom } finish { ambient 0.7 diffuse 0.3 specular 0.6 roughness 0.01 } }
    box { <U - Wd / 2 - 0.06, Bottom - 0.08, -0.2>, <U + Wd / 2 + 0.06, Bottom, 0.06> texture { CapTex } }
    #local I = 1;
    #while (I < 3)
      box { <U - Wd / 2 + Wd * I / 3 - 0.025, Bottom, -0.17>, <U - Wd / 2 + Wd * I / 3 + 0.025, Bottom + Ht, -0.14> texture { FV_TDarkSteel } }
      #local I = I + 1;
    #end
    box { <U - Wd / 2, Bottom + Ht / 2 - 0.025, -0.17>, <U + Wd / 2, Bottom + Ht / 2 + 0.025, -0.14> texture { FV_TDarkSteel } }
  }
#end

// Openings the alternate segment's fitting needs in the wall.
#macro FittingHole()
  #switch (FV_WallSet)
    #case (1) box { <0.6 - 1.2, 1.7, -0.2>, <0.6 + 1.2, 2.6, 1> } #break
    #case (2) box { <-10, -10, -10>, <-9, -9, -9> } #break
    #else box { <-1.1, 0.9, -0.2>, <1.1, 2.1, 1> }
  #end
#end

// The wall's fitting for the alternate segment.
#macro Fitting()
  #switch (FV_WallSet)
    #case (1)
      union {
        Window(0.6, 1.7, 2.4, 0.9)
        // Fire point: extinguisher on a red board.
        box { <-2.15, 0.9, -0.01>, <-1.65, 1.7, 0.02> texture { FV_TRed } }
        cylinder { <-1.9, 0.35, 0.12>, <-1.9, 0.85, 0.12>, 0.09 texture { FV_TRed } }
        sphere { <-1.9, 0.87, 0.12>, 0.06 texture { FV_TDarkSteel } }
      }
    #break
    #case (2)
      union {
        // A steel column and an electrical distribution board with its conduit.
        box { <-0.12, 0, -0.05>, <0.12, WallH, 0.18> texture { FV_TSlate } }
        box { <-0.18, 0, 0.13>, <0.18, WallH, 0.2> texture { FV_TSlate } }
        object { FV_RBox(<1.0, 1.0, 0>, <1.8, 2.1, 0.25>, 0.02) texture { pigment { rgb 0.45 } finish { FV_Painted } } }
        box { <1.05, 1.6, 0.25>, <1.75, 1.7, 0.26> texture { FV_TYellow } }
        cylinder { <1.4, 2.1, 0.12>, <1.4, WallH, 0.12>, 0.04 texture { FV_TSteel } }
        sphere { <1.15, 1.85, 0.26>, 0.03 texture { FV_TLampGreen } }
      }
    #break
    #else
      union {
        Window(0, 0.9, 2.2, 1.2)
        box { <-1.2, 2.2, -0.02>, <1.2, 2.36, 0.03> texture { CapTex } }
      }
  #end
#end

// A loading door for a site; Kind 2 import (green), 3 export (orange).
#if (FV_Kind = 2)
  #declare SignColour = rgb <0.05, 0.40, 0.20>;
  #declare SignLamp = FV_TLampGreen;
#else
  #declare SignColour = rgb <0.78, 0.22, 0.02>;
  #declare SignLamp = FV_TLampAmber;
#end
#declare SignTex = texture { pigment { SignColour } finish { FV_Painted } }
#macro Door()
  union {
    // Roller door slats and its guides and box.
    box { <-1.5, 0, -0.22>, <1.5, 2.55, -0.15> texture {
      pigment { gradient y color_map { [0 rgb 0.32] [0.8 rgb 0.38] [0.8 rgb 0.18] [1 rgb 0.18] } scale 0.15 }
      normal { gradient y 0.3 scale 0.15 }
      finish { FV_Metal } } }
    box { <-1.62, 0, -0.16>, <-1.5, 2.7, 0.06> texture { FV_TWarnStripes scale 0.8 } }
    box { <1.5, 0, -0.16>, <1.62, 2.7, 0.06> texture { FV_TWarnStripes scale 0.8 } }
    box { <-1.62, 2.55, -0.16>, <1.62, 2.85, 0.12> texture { SignTex } }
    // Arrow on the sign: in for imports, out for exports (drawn as a raised chevron).
    #local Dir = (FV_Kind = 2 ? -1 : 1);
    union {
      box { <-0.35, 2.66, 0.12>, <0.35, 2.74, 0.14> }
      box { <-0.05, -0.04, 0>, <0.25, 0.04, 0.02> rotate z * 40 translate <0.22 * Dir, 2.7, 0.12> }
      box { <-0.05, -0.04, 0>, <0.25, 0.04, 0.02> rotate z * -40 translate <0.22 * Dir, 2.7, 0.12> }
      texture { pigment { rgb 0.9 } finish { FV_Painted } }
      #if (Dir < 0) scale <-1, 1, 1> #end
    }
    sphere { <1.8, 2.6, 0.15>, 0.08 texture { SignLamp } }
    // Dock bumpers.
    box { <-1.45, 0.25, 0>, <-1.25, 0.6, 0.12> texture { FV_TBlack } }
    box { <1.25, 0.25, 0>, <1.45, 0.6, 0.12> texture { FV_TBlack } }
  }
#end

// Floor marking in front of a site: a painted lane with an arrow, in local coordinates
// (w > 0 is inside the zone).
#macro SiteFloor()
  #local Dir = (FV_Kind = 2 ? 1 : -1);
  union {
    difference {
      box { <-1.6, 0, 0.05>, <1.6, 0.0008, 2.4> }
      box { <-1.45, -1, 0.2>, <1.45, 1, 2.25> }
      texture { SignTex }
    }
    // The arrow.
    prism { linear_sweep linear_spline 0, 0.0012, 8,
      <-0.25, 0.6>, <0.25, 0.6>, <0.25, 1.3>, <0.55, 1.3>, <0, 1.9>, <-0.55, 1.3>, <-0.25, 1.3>, <-0.25, 0.6>
      #if (Dir < 0) translate -z * 1.25 scale <1, 1, -1> translate z * 1.25 #end
      texture { pigment { rgb <0.75, 0.75, 0.7> } finish { ambient 0.05 diffuse 0.8 } }
    }
  }
#end

#macro Bollard(U, W)
  union {
    cylinder { <U, 0, W>, <U, 0.9, W>, 0.09 texture { FV_TYellow } }
    cylinder { <U, 0.6, W>, <U, 0.7, W>, 0.092 texture { FV_TBlack } }
    sphere { <U, 0.9, W>, 0.09 texture { FV_TYellow } }
  }
#end

#declare Back = (FV_Side = 0 | FV_Side = 3);
#switch (FV_Kind)
  #case (0)
    #declare Local = Slab(-H - Thick, H)
  #break
  #case (1)
    #declare Local = union { difference { Slab(-H - Thick, H) FittingHole() } Fitting() }
  #break
  #else
    #if (Back)
      #declare Local = union {
        difference { Slab(-H - Thick, H) box { <-1.5, 0.001, -Thick - 1>, <1.5, 2.55, 1> } }
        Door()
        SiteFloor()
      }
    #else
      // Near edge: no wall; the edge of the zone is marked on the floor with bollards.
      #declare Local = union {
        SiteFloor()
        Bollard(-1.85, 0.25)
        Bollard(1.85, 0.25)
      }
    #end
#end

// Local (u, w) to the tile: the wall stands on the tile edge of its side, facing inwards.
#switch (FV_Side)
  #case (0) #declare Wall = object { Local translate z * -H } #break                         // u = x, w = z
  #case (3) #declare Wall = object { Local rotate y * 90 scale <1, 1, -1> translate x * -H } #break  // u = z, w = x
  #case (1) #declare Wall = object { Local rotate y * 90 scale <-1, 1, 1> translate x * H } #break
  #else #declare Wall = object { Local scale <1, 1, -1> translate z * H }
#end
FV_ShowFixed(Wall)
