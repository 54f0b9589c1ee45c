// Small fittings: FV_Variant 1 desk with screen and chair; 2 steel shelving with boxes;
// 3 rolling tool chest; 4 wooden pallet; 5 blue plastic pallet for finished components.
// Each stands in the 1.5 m bay whose top corner is the anchor (for pallets, the painted bays of
// the stockpile floors).
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Variant) #declare FV_Variant = 1; #end

#declare Cardboard = texture { pigment { rgb <0.42, 0.28, 0.14> } finish { FV_Matte } }
#switch (FV_Variant)
  #case (1)
    #declare Item = union {
      object { FV_RBox(<-0.4, 0.72, -0.8>, <0.4, 0.77, 0.8>, 0.015) texture { pigment { rgb <0.6, 0.55, 0.45> } finish { FV_Painted } } }
      box { <-0.38, 0, -0.78>, <-0.34, 0.72, 0.78> texture { FV_TDarkSteel } }
      box { <-0.38, 0, 0.74>, <0.36, 0.72, 0.78> texture { FV_TDarkSteel } }
      box { <-0.38, 0, -0.78>, <0.36, 0.72, -0.74> texture { FV_TDarkSteel } }
      // Monitor, keyboard and papers.
      box { <-0.3, 0.77, -0.1>, <-0.22, 0.8, 0.1> texture { FV_TDarkSteel } }
      cylinder { <-0.26, 0.8, 0>, <-0.26, 0.9, 0>, 0.02 texture { FV_TDarkSteel } }
      object { FV_RBox(<-0.29, 0.88, -0.3>, <-0.24, 1.2, 0.3>, 0.01) texture { FV_TBlack } }
      box { <-0.241, 0.9, -0.28>, <-0.235, 1.18, 0.28> texture { FV_TScreen } }
      box { <0.0, 0.77, -0.25>, <0.18, 0.79, 0.25> texture { FV_TBlack } }
      box { <0.0, 0.77, 0.4>, <0.25, 0.78, 0.62> rotate y * 8 texture { pigment { rgb 0.85 } finish { FV_Matte } } }
      // Chair.
      union {
        cylinder { <0, 0.05, 0>, <0, 0.45, 0>, 0.03 }
        object { FV_RBox(<-0.22, 0.45, -0.22>, <0.22, 0.52, 0.22>, 0.04) }
        object { FV_RBox(<0.2, 0.5, -0.2>, <0.26, 0.95, 0.2>, 0.04) }
        #declare I = 0;
        #while (I < 5)
          cylinder { <0, 0.05, 0>, <0.28, 0.03, 0>, 0.02 rotate y * I * 72 }
          #declare I = I + 1;
        #end
        texture { FV_TBlack }
        translate <0.7, 0, 0.1>
      }
    }
  #break
  #case (2)
    #declare Item = union {
      #declare I = 0;
      #while (I < 4)
        cylinder { <select(mod(I, 2) - 0.5, -0.25, 0.25), 0, select(div(I, 2) - 0.5, -0.6, 0.6)>, <select(mod(I, 2) - 0.5, -0.25, 0.25), 2.0, select(div(I, 2) - 0.5, -0.6, 0.6)>, 0.025 texture { FV_TSlate } }
        #declare I = I + 1;
      #end
      #declare L = 0;
      #while (L < 4)
        #declare Y = 0.1 + L * 0.6;
        box { <-0.27, Y, -0.62>, <0.27, Y + 0.03, 0.62> texture { pigment { rgb 0.45 } finish { FV_Metal } } }
        box { <0.22, Y + 0.03, -0.62>, <0.27, Y + 0.09, 0.62> texture { FV_TYellow } }
        #if (L < 3)
          #declare K = 0;
          #while (K < 3)
            #declare Hh = 0.25 + 0.12 * mod(K + L, 2);
            object { FV_RBox(<-0.2, Y + 0.03, -0.55 + K * 0.38>, <0.18, Y + 0.03 + Hh, -0.2 + K * 0.38>, 0.01)
              #if (mod(K * 3 + L, 3) = 0) texture { FV_TSlate } #else texture { Cardboard } #end }
            #declare K = K + 1;
          #end
        #end
        #declare L = L + 1;
      #end
    }
  #break
  #case (3)
    #declare Item = union {
      object { FV_RBox(<-0.25, 0.1, -0.45>, <0.25, 1.0, 0.45>, 0.03) texture { FV_TRed } }
      #declare I = 0;
      #while (I < 5)
        box { <0.25, 0.2 + I * 0.16, -0.42>, <0.26, 0.31 + I * 0.16, 0.42> texture { pigment { rgb <0.35, 0.02, 0.02> } finish { FV_Glossy } } }
        box { <0.26, 0.27 + I * 0.16, -0.2>, <0.28, 0.29 + I * 0.16, 0.2> texture { FV_TChrome } }
        #declare I = I + 1;
      #end
      object { FV_RBox(<-0.27, 1.0, -0.47>, <0.27, 1.04, 0.47>, 0.01) texture { FV_TDarkSteel } }
      // Casters.
      #declare I = 0;
      #while (I < 4)
        cylinder { <select(mod(I, 2) - 0.5, -0.18, 0.18), 0.05, select(div(I, 2) - 0.5, -0.38, 0.38) - 0.02>, <select(mod(I, 2) - 0.5, -0.18, 0.18), 0.05, select(div(I, 2) - 0.5, -0.38, 0.38) + 0.02>, 0.05 texture { FV_TBlack } }
        #declare I = I + 1;
      #end
      // Tools on top: a wrench and a drill.
      box { <-0.1, 1.04, -0.3>, <-0.05, 1.06, 0.1> texture { FV_TChrome } }
      object { FV_RBox(<0.0, 1.04, 0.1>, <0.12, 1.2, 0.35>, 0.03) texture { FV_TYellow } }
      cylinder { <0.06, 1.15, 0.35>, <0.06, 1.15, 0.45>, 0.015 texture { FV_TChrome } }
      // Push handle.
      cylinder { <-0.3, 0.95, -0.35>, <-0.3, 0.95, 0.35>, 0.02 texture { FV_TChrome } }
    }
  #break
  #else
    // Pallets: 1.2 x 1.0 m, in the bay below the anchor.
    #if (FV_Variant = 4)
      #declare Slat = texture { pigment { rgb <0.52, 0.36, 0.19> } normal { wood 0.2 scale 0.05 } finish { FV_Matte } }
      #declare Pallet = union {
        #declare I = 0;
        #while (I < 5)
          box { <-0.6 + I * 0.27, 0.12, -0.5>, <-0.6 + I * 0.27 + 0.12, 0.145, 0.5> texture { Slat } }
          #declare I = I + 1;
        #end
        #declare I = 0;
        #while (I < 3)
          box { <-0.6, 0.02, -0.5 + I * 0.45>, <0.6, 0.12, -0.5 + I * 0.45 + 0.1> texture { Slat } }
          box { <-0.6, 0, -0.5 + I * 0.45>, <0.6, 0.02, -0.5 + I * 0.45 + 0.1> texture { Slat } }
          #declare I = I + 1;
        #end
      }
    #else
      #declare Plastic = texture { pigment { rgb <0.03, 0.12, 0.35> } finish { FV_Glossy } }
      #declare Pallet = union {
        object { FV_RBox(<-0.6, 0.11, -0.5>, <0.6, 0.15, 0.5>, 0.02) }
        #declare I = 0;
        #while (I < 9)
          object { FV_RBox(<-0.6 + mod(I, 3) * 0.51, 0, -0.5 + div(I, 3) * 0.42>, <-0.42 + mod(I, 3) * 0.51, 0.12, -0.34 + div(I, 3) * 0.42>, 0.02) }
          #declare I = I + 1;
        #end
        texture { Plastic }
      }
    #end
    #declare Item = object { Pallet }
#end
FV_ShowInCell(Item)
