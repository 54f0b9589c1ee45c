// The car, built from the component layers the game draws one over the other (lowest z_order
// first). FV_Component picks the layer:
//   1 chassis  2 axles  3 fuel tank  4 engine  5 wheels  6 body  7 seats  8 doors
//   9 windscreen  10 sunroof  11 spoiler
// A compact hatchback, 3.8 x 1.7 x 1.26 m, its front along +x; the stage puts its centre a little
// below the middle of the game's 400 x 200 car frame so that the whole car fits it. Body and doors are mid grey: the game paints them through
// its overlay shader, which keeps their shading under any colour.
// Passes: 0 the layer in colour, with the parts that are always fitted before it (chassis, and
// the body for what needs the body) casting their shadows on it unseen; 1 and 2 the chassis'
// soft shadow; 3 the matte that cuts the layer where parts drawn before it stand in front.
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Component) #declare FV_Component = 6; #end

#declare WB = 1.22;          // half wheelbase
#declare Track = 0.74;       // wheel centre from the middle
#declare WR = 0.3;           // wheel radius
#declare WY = WR;            // wheel centre height

#declare Paint = texture { pigment { rgb 0.27 } finish { ambient 0.06 diffuse 0.8 specular 0.6 roughness 0.01 } }
#declare Trim = texture { pigment { rgb 0.025 } finish { ambient 0.05 diffuse 0.7 specular 0.3 roughness 0.02 } }
#declare Under = texture { pigment { rgb 0.05 } finish { FV_Metal } }
#declare Glass = texture { pigment { rgbf <0.35, 0.5, 0.6, 0.5> } finish { ambient 0.1 diffuse 0.3 specular 0.95 roughness 0.004 } }
#declare TX5 = texture { pigment { rgb 1 } finish { ambient 0.6 diffuse 0.4 specular 0.9 roughness 0.01 } }
#declare TX6 = texture { pigment { rgb <0.8, 0.05, 0.04> } finish { ambient 0.4 diffuse 0.5 specular 0.8 roughness 0.01 } }
#declare TX7 = texture { pigment { rgb <0.06, 0.05, 0.05> } finish { FV_Matte } }
#declare TX8 = texture { pigment { rgb 0.04 } finish { FV_Matte } }
#declare TX9 = texture { pigment { rgb 0.02 } finish { FV_Glossy } }
#declare TX10 = texture { pigment { rgb 0.13 } finish { FV_Metal } }
#declare TX11 = texture { pigment { rgb 0.022 } finish { FV_Rubber } }
#declare TX12 = texture { pigment { rgb 0.55 } finish { FV_Metal } }
#declare TX13 = texture { pigment { rgb 0.7 } finish { FV_Chrome } }
#declare TX14 = texture { pigment { rgb 0.3 } finish { FV_Metal } }
#declare TX15 = texture { pigment { gradient y color_map { [0 rgb 0.02] [0.5 rgb 0.02] [0.5 rgb 0.25] [1 rgb 0.25] } scale 0.04 } finish { FV_Metal } }
#declare TX16 = texture { pigment { rgb 0.07 } finish { FV_Glossy } }

// Every texture of a part goes through Tx, so that the matte pass can draw the same parts flat
// white (the layer) or flat black (the parts that hide it).
#declare Tone = -1;
#macro Tx(T)
  #if (Tone < 0) texture { T } #else texture { pigment { rgb Tone } finish { ambient 1 diffuse 0 specular 0 } } #end
#end

// ---- body shell and the pieces cut from it ------------------------------------------------
#declare Hull = intersection {
  object { FV_RBox(<-1.9, 0.3, -0.85>, <1.9, 0.86, 0.85>, 0.16) }
  // Bonnet falls to the nose, tail rounds off.
  plane { <0.28, 1, 0>, 0.86 + 1.45 * 0.28 }
  plane { <-0.35, 1, 0>, 0.86 + 1.65 * 0.35 }
}
#declare Greenhouse = intersection {
  prism { linear_sweep linear_spline -0.76, 0.76, 5, <-1.55, 0.8>, <0.62, 0.8>, <0.05, 1.26>, <-1.15, 1.26>, <-1.55, 0.8> rotate x * -90 scale <1, 1, -1> }
  // Tumblehome: the sides lean in towards the roof.
  plane { <0, -0.25, 1>, 0.76 - 0.8 * 0.25 }
  plane { <0, -0.25, -1>, 0.76 - 0.8 * 0.25 }
}
#declare WheelArches = union {
  cylinder { <WB, WY, -1>, <WB, WY, 1>, 0.37 }
  cylinder { <-WB, WY, -1>, <-WB, WY, 1>, 0.37 }
}
#declare DoorCut = union {
  box { <-0.95, 0.38, 0.7>, <0.55, 0.84, 1> }
  box { <-0.95, 0.38, -1>, <0.55, 0.84, -0.7> }
}
// Side windows, windscreen and tailgate glass, as openings in the greenhouse.
#declare Windows = prism { linear_sweep linear_spline -1, 1, 5, <-1.4, 0.86>, <0.45, 0.86>, <0.0, 1.2>, <-1.08, 1.2>, <-1.4, 0.86> rotate x * -90 scale <1, 1, -1> }
#declare Cabin = box { <-1.45, 0.45, -0.68>, <0.55, 1.2, 0.68> }
#declare WindowOpenings = union {
  intersection { object { Windows } box { <-10, 0.86, -10>, <10, 1.21, 10> } }
  box { <-1.7, 0.88, -0.6>, <0.8, 1.19, 0.6> }
}

#macro Body()
union {
  difference {
    union { object { Hull } object { Greenhouse } }
    object { WheelArches }
    object { DoorCut }
    object { Cabin }
    object { WindowOpenings }
    Tx(Paint)
  }
  // Bumpers, grille, lights, mirrors and sills.
  object { FV_RBox(<1.78, 0.28, -0.82>, <1.95, 0.48, 0.82>, 0.06) Tx(Trim) }
  object { FV_RBox(<-1.95, 0.28, -0.82>, <-1.78, 0.48, 0.82>, 0.06) Tx(Trim) }
  box { <1.88, 0.5, -0.4>, <1.95, 0.62, 0.4> Tx(Trim) }
  sphere { 0, 1 scale <0.06, 0.06, 0.15> translate <1.88, 0.64, -0.58> Tx(TX5) }
  sphere { 0, 1 scale <0.06, 0.06, 0.15> translate <1.88, 0.64, 0.58> Tx(TX5) }
  box { <-1.91, 0.62, -0.78>, <-1.85, 0.76, -0.5> Tx(TX6) }
  box { <-1.91, 0.62, 0.5>, <-1.85, 0.76, 0.78> Tx(TX6) }
  object { FV_RBox(<0.5, 0.86, 0.74>, <0.62, 0.95, 0.9>, 0.02) Tx(Paint) }
  object { FV_RBox(<0.5, 0.86, -0.9>, <0.62, 0.95, -0.74>, 0.02) Tx(Paint) }
  box { <-0.95, 0.3, -0.86>, <0.55, 0.38, 0.86> Tx(Trim) }
}
#end

#macro Doors()
union {
  difference {
    intersection { object { Hull } object { DoorCut } }
    object { Cabin }
    Tx(Paint)
  }
  // Door seam, handles.
  box { <-0.21, 0.38, -0.87>, <-0.19, 0.84, 0.87> Tx(Trim) }
  box { <0.2, 0.72, 0.845>, <0.34, 0.74, 0.87> Tx(FV_TChrome) }
  box { <-0.6, 0.72, 0.845>, <-0.46, 0.74, 0.87> Tx(FV_TChrome) }
  box { <0.2, 0.72, -0.87>, <0.34, 0.74, -0.845> Tx(FV_TChrome) }
  box { <-0.6, 0.72, -0.87>, <-0.46, 0.74, -0.845> Tx(FV_TChrome) }
}
#end

#macro GlassParts()
difference {
  intersection { object { Greenhouse } object { WindowOpenings } }
  object { Greenhouse scale <0.985, 0.985, 0.97> translate <-0.01, 0.012, 0> }
  Tx(Glass)
}
#end

#macro Seat(X, Z)
  union {
    object { FV_RBox(<X - 0.25, 0.42, Z - 0.22>, <X + 0.2, 0.55, Z + 0.22>, 0.05) }
    object { FV_RBox(<X - 0.32, 0.5, Z - 0.22>, <X - 0.2, 1.0, Z + 0.22>, 0.05) rotate z * 10 }
    Tx(TX7)
  }
#end
#macro Seats()
union {
  Seat(0.05, -0.36) Seat(0.05, 0.36)
  object { FV_RBox(<-1.0, 0.42, -0.62>, <-0.55, 0.55, 0.62>, 0.05) Tx(TX7) }
  object { FV_RBox(<-1.12, 0.5, -0.62>, <-0.98, 0.95, 0.62>, 0.05) rotate z * 0 Tx(TX7) }
  // Dashboard and steering wheel.
  object { FV_RBox(<0.35, 0.62, -0.66>, <0.62, 0.85, 0.66>, 0.06) Tx(TX8) }
  torus { 0.16, 0.02 rotate z * 65 translate <0.3, 0.86, -0.36> Tx(TX9) }
}
#end

#macro Chassis()
union {
  box { <-1.8, 0.22, -0.5>, <1.8, 0.32, -0.4> Tx(Under) }
  box { <-1.8, 0.22, 0.4>, <1.8, 0.32, 0.5> Tx(Under) }
  #declare I = 0;
  #while (I < 5)
    box { <-1.7 + I * 0.85, 0.23, -0.5>, <-1.62 + I * 0.85, 0.31, 0.5> Tx(Under) }
    #declare I = I + 1;
  #end
  box { <-1.6, 0.32, -0.72>, <1.55, 0.35, 0.72> Tx(TX10) }
  // Bulkhead and the two towers of the front suspension.
  box { <0.8, 0.35, -0.7>, <0.85, 0.75, 0.7> Tx(TX10) }
  cylinder { <WB, 0.35, -0.55>, <WB, 0.7, -0.55>, 0.08 Tx(TX10) }
  cylinder { <WB, 0.35, 0.55>, <WB, 0.7, 0.55>, 0.08 Tx(TX10) }
}
#end
#macro Axles()
union {
  #declare I = -1;
  #while (I <= 1)
    cylinder { <I * WB, WY, -Track + 0.05>, <I * WB, WY, Track - 0.05>, 0.04 Tx(FV_TDarkSteel) }
    cylinder { <I * WB, WY, -Track + 0.02>, <I * WB, WY, -Track + 0.06>, 0.16 Tx(FV_TSteel) }
    cylinder { <I * WB, WY, Track - 0.06>, <I * WB, WY, Track - 0.02>, 0.16 Tx(FV_TSteel) }
    #declare J = -1;
    #while (J <= 1)
      // Coil spring up to the frame.
      #declare K = 0;
      #while (K < 5)
        torus { 0.06, 0.012 translate <I * WB, WY + 0.04 + K * 0.05, J * 0.48> Tx(FV_TRed) }
        #declare K = K + 1;
      #end
      #declare J = J + 2;
    #end
    #declare I = I + 2;
  #end
  sphere { <WB, WY, 0>, 0.1 Tx(FV_TDarkSteel) }
  sphere { <-WB, WY, 0>, 0.12 Tx(FV_TDarkSteel) }
}
#end
#macro Wheels()
union {
  #declare I = 0;
  #while (I < 4)
    #declare P = <select(mod(I, 2) - 0.5, -WB, WB), WY, select(div(I, 2) - 0.5, -Track, Track)>;
    union {
      difference {
        union { torus { WR - 0.07, 0.07 rotate x * 90 } cylinder { <0, 0, -0.1>, <0, 0, 0.1>, WR - 0.005 } }
        cylinder { <0, 0, -0.2>, <0, 0, 0.2>, 0.19 }
        Tx(TX11)
      }
      cylinder { <0, 0, -0.08>, <0, 0, 0.08>, 0.19 Tx(TX12) }
      #declare K = 0;
      #while (K < 5)
        box { <0.03, -0.025, -0.09>, <0.17, 0.025, 0.09> rotate z * K * 72 Tx(TX13) }
        #declare K = K + 1;
      #end
      translate P
    }
    #declare I = I + 1;
  #end
}
#end
#macro Engine()
union {
  object { FV_RBox(<1.0, 0.36, -0.35>, <1.6, 0.72, 0.3>, 0.04) Tx(TX14) }
  object { FV_RBox(<1.05, 0.72, -0.3>, <1.55, 0.8, 0.2>, 0.03) Tx(FV_TRed) }
  cylinder { <1.3, 0.62, 0.3>, <1.3, 0.62, 0.55>, 0.1 Tx(FV_TDarkSteel) }
  box { <1.7, 0.38, -0.6>, <1.78, 0.78, 0.6> Tx(TX15) }
  object { FV_RBox(<0.85, 0.36, -0.22>, <1.05, 0.6, 0.22>, 0.03) Tx(FV_TDarkSteel) }
}
#end
#macro FuelTank()
union {
  object { FV_RBox(<-1.5, 0.22, -0.55>, <-0.75, 0.36, 0.55>, 0.05) Tx(TX16) }
  cylinder { <-1.4, 0.3, 0.55>, <-1.5, 0.55, 0.8>, 0.03 Tx(FV_TSteel) }
}
#end
#macro Sunroof()
union {
  object { FV_RBox(<-0.75, 1.28, -0.42>, <-0.05, 1.31, 0.42>, 0.02) Tx(Trim) }
  box { <-0.7, 1.305, -0.37>, <-0.1, 1.32, 0.37> Tx(Glass) }
}
#end
#macro Spoiler()
union {
  object { FV_RBox(<-1.9, 0.9, -0.7>, <-1.58, 0.95, 0.7>, 0.02) Tx(Trim) }
  box { <-1.78, 0.76, -0.5>, <-1.71, 0.91, -0.45> Tx(Trim) }
  box { <-1.78, 0.76, 0.45>, <-1.71, 0.91, 0.5> Tx(Trim) }
}
#end

#macro Part(N)
  #switch (N)
    #case (1) Chassis() #break
    #case (2) Axles() #break
    #case (3) FuelTank() #break
    #case (4) Engine() #break
    #case (5) Wheels() #break
    #case (6) Body() #break
    #case (7) Seats() #break
    #case (8) Doors() #break
    #case (9) GlassParts() #break
    #case (10) Sunroof() #break
    #else Spoiler()
  #end
#end
// Sets of parts as bit masks, bit i for part i (2 chassis, 4 axles, 32 wheels, 64 body,
// 256 doors, 512 windscreen).
// Parts drawn earlier that may stand in front of each layer and are there whenever it is.
#declare Holdouts = array[12] { 0, 0, 2, 6, 6, 6, 38, 66, 66, 322, 66, 66 }
// Parts always fitted before each layer: their shadows fall on it.
#declare Casters = array[12] { 0, 0, 2, 2, 2, 6, 2, 66, 66, 322, 578, 66 }

#macro Listed(Mask, N) (mod(div(Mask, pow(2, N)), 2) = 1) #end
#macro Turned(O) object { O rotate FV_FacingTurn(FV_Facing) } #end

#switch (FV_Pass)
  #case (0)
    Turned(Part(FV_Component))
    #declare I = 1;
    #while (I <= 11)
      #if (Listed(Casters[FV_Component], I)) Turned(object { Part(I) no_image no_reflection }) #end
      #declare I = I + 1;
    #end
  #break
  #case (1)
    // The chassis carries the whole car's soft contact shadow.
    Turned(union { object { Hull } Wheels() no_image no_reflection })
    object { FV_ShadowFloor }
  #break
  #case (2)
    object { FV_ShadowFloor }
  #break
  #else
    #declare Tone = 1;
    Turned(Part(FV_Component))
    #declare Tone = 0;
    #declare I = 1;
    #while (I <= 11)
      #if (Listed(Holdouts[FV_Component], I)) Turned(Part(I)) #end
      #declare I = I + 1;
    #end
#end
