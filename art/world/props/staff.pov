// Staff: FV_Variant 1 employee (overalls, hi-vis vest, hard hat), 2 scientist (lab coat,
// clipboard), 3 businessman (suit, briefcase). Standing on the anchor, looking along +x.
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Variant) #declare FV_Variant = 1; #end

#declare Skin = texture { pigment { rgb <0.62, 0.36, 0.24> } finish { ambient 0.08 diffuse 0.8 specular 0.1 roughness 0.05 } }
#declare Hair = texture { pigment { rgb <0.07, 0.04, 0.025> } finish { FV_Matte } }
#declare Shoes = texture { pigment { rgb 0.03 } finish { FV_Glossy } }
#switch (FV_Variant)
  #case (1)
    #declare Legs = texture { pigment { rgb <0.04, 0.07, 0.17> } finish { FV_Matte } }
    #declare Top = Legs;
    #declare Sleeves = Legs;
  #break
  #case (2)
    #declare Legs = texture { pigment { rgb <0.05, 0.05, 0.06> } finish { FV_Matte } }
    #declare Top = texture { pigment { rgb <0.80, 0.82, 0.82> } finish { FV_Matte } }
    #declare Sleeves = Top;
  #break
  #else
    #declare Legs = texture { pigment { rgb <0.035, 0.04, 0.05> } finish { FV_Matte } }
    #declare Top = Legs;
    #declare Sleeves = Legs;
#end

#macro Limb(A, B, R) union { cylinder { A, B, R } sphere { A, R } sphere { B, R } } #end

#declare Person = union {
  // Legs and shoes.
  object { Limb(<0, 0.12, 0.1>, <0, 0.88, 0.1>, 0.075) texture { Legs } }
  object { Limb(<0, 0.12, -0.1>, <0, 0.88, -0.1>, 0.075) texture { Legs } }
  object { FV_RBox(<-0.08, 0, 0.04>, <0.16, 0.09, 0.16>, 0.03) texture { Shoes } }
  object { FV_RBox(<-0.08, 0, -0.16>, <0.16, 0.09, -0.04>, 0.03) texture { Shoes } }
  // Torso and neck.
  object { FV_RBox(<-0.12, 0.86, -0.22>, <0.13, 1.48, 0.22>, 0.08) texture { Top } }
  cylinder { <0, 1.45, 0>, <0, 1.54, 0>, 0.055 texture { Skin } }
  // Head and nose.
  sphere { 0, 0.12 scale <1, 1.1, 0.95> translate <0, 1.6, 0> texture { Skin } }
  sphere { <0.115, 1.59, 0>, 0.024 texture { Skin } }
  // Arms hang a little forward.
  object { Limb(<0.0, 1.38, 0.26>, <0.08, 0.92, 0.28>, 0.055) texture { Sleeves } }
  object { Limb(<0.0, 1.38, -0.26>, <0.08, 0.92, -0.28>, 0.055) texture { Sleeves } }
  sphere { <0.09, 0.86, 0.28>, 0.05 texture { Skin } }
  sphere { <0.09, 0.86, -0.28>, 0.05 texture { Skin } }
  #switch (FV_Variant)
    #case (1)
      // Hi-vis vest with reflective bands, hard hat.
      difference {
        object { FV_RBox(<-0.135, 1.0, -0.225>, <0.145, 1.47, 0.225>, 0.08) }
        box { <0.1, 1.3, -0.06>, <0.3, 1.6, 0.06> }
        texture { pigment { rgb <0.75, 0.85, 0.02> } finish { FV_Matte } }
      }
      box { <-0.14, 1.12, -0.228>, <0.15, 1.16, 0.228> texture { pigment { rgb 0.8 } finish { FV_Glossy } } }
      box { <-0.14, 1.22, -0.228>, <0.15, 1.26, 0.228> texture { pigment { rgb 0.8 } finish { FV_Glossy } } }
      union {
        intersection { sphere { <0, 1.63, 0>, 0.14 } box { <-1, 1.63, -1>, <1, 2, 1> } }
        cylinder { <0.02, 1.63, 0>, <0.02, 1.65, 0>, 0.17 }
        texture { pigment { rgb <0.85, 0.60, 0.02> } finish { FV_Glossy } }
      }
    #break
    #case (2)
      // Lab coat to the knees, glasses, a clipboard held in front.
      object { FV_RBox(<-0.14, 0.5, -0.23>, <0.15, 1.47, 0.23>, 0.07) texture { Top } }
      intersection { sphere { 0, 0.128 scale <1, 1.1, 0.97> translate <-0.01, 1.61, 0> } box { <-1, 1.62, -1>, <0.05, 2, 1> } texture { Hair } }
      intersection { sphere { 0, 0.128 scale <1, 1.1, 0.97> translate <-0.01, 1.61, 0> } box { <-1, 1.45, -1>, <-0.05, 2, 1> } texture { Hair } }
      torus { 0.035, 0.006 rotate z * 90 translate <0.12, 1.61, 0.05> texture { FV_TDarkSteel } }
      torus { 0.035, 0.006 rotate z * 90 translate <0.12, 1.61, -0.05> texture { FV_TDarkSteel } }
      box { <0.16, 0.98, -0.2>, <0.19, 1.28, 0.02> rotate z * 12 texture { pigment { rgb <0.45, 0.3, 0.15> } finish { FV_Matte } } }
      box { <0.19, 1.0, -0.18>, <0.195, 1.24, 0.0> rotate z * 12 texture { pigment { rgb 0.85 } finish { FV_Matte } } }
    #break
    #else
      // Suit with shirt and tie, short hair, a briefcase.
      box { <0.125, 1.2, -0.05>, <0.135, 1.47, 0.05> texture { pigment { rgb 0.82 } finish { FV_Matte } } }
      box { <0.13, 1.18, -0.02>, <0.14, 1.45, 0.02> texture { pigment { rgb <0.5, 0.03, 0.03> } finish { FV_Glossy } } }
      intersection { sphere { 0, 0.128 scale <1, 1.1, 0.97> translate <-0.01, 1.61, 0> } box { <-1, 1.64, -1>, <0.07, 2, 1> } texture { Hair } }
      intersection { sphere { 0, 0.128 scale <1, 1.1, 0.97> translate <-0.01, 1.61, 0> } box { <-1, 1.52, -1>, <-0.06, 2, 1> } texture { Hair } }
      object { FV_RBox(<-0.06, 0.55, 0.3>, <0.28, 0.82, 0.38>, 0.02) texture { pigment { rgb <0.16, 0.08, 0.03> } finish { FV_Glossy } } }
      cylinder { <0.06, 0.86, 0.34>, <0.16, 0.86, 0.34>, 0.012 texture { FV_TDarkSteel } }
  #end
}
FV_ShowInCell(Person)
