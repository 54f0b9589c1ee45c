// White overlay pictures the factory view tints: FV_Variant
//  1 conveyor_gui upper half: a stockpile's marker, laid over its tile diamond (512 x 256)
//  2 conveyor_gui lower half: a conveyor arm from the tile centre to the south-west edge; the
//    game mirrors it for the other sides (512 x 256)
//  3 slot_direction_SE: an arrow across the tile pointing south-east (256 x 128)
//  4 conveyor_SE: the ghost of a car conveyor piece running south-east (256 x 128)
// Drawn flat in the floor plane through the factory camera, white on transparent, no light.
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Variant) #declare FV_Variant = 1; #end

#declare White = texture { pigment { rgb 1 } finish { ambient 1 diffuse 0 } }
#declare Grey = texture { pigment { rgb 0.7 } finish { ambient 1 diffuse 0 } }
#declare H = FV_TILE / 2;
#macro Band(A, B, Wd)
  #local D = vnormalize(B - A);
  #local N = vcross(D, y) * Wd / 2;
  prism { linear_sweep linear_spline 0, 0.01, 5,
    <A.x + N.x, A.z + N.z>, <B.x + N.x, B.z + N.z>, <B.x - N.x, B.z - N.z>, <A.x - N.x, A.z - N.z>, <A.x + N.x, A.z + N.z> }
#end
#switch (FV_Variant)
  #case (1)
    #declare Shape = union {
      difference { box { <-H + 0.2, 0, -H + 0.2>, <H - 0.2, 0.01, H - 0.2> } box { <-H + 0.55, -1, -H + 0.55>, <H - 0.55, 1, H - 0.55> } texture { White } }
      // A pallet with a box on it, in the middle.
      difference { box { <-1.1, 0, -1.1>, <1.1, 0.01, 1.1> } box { <-0.9, -1, -0.9>, <0.9, 1, 0.9> } texture { White } }
      box { <-0.6, 0, -0.6>, <0.6, 0.01, 0.6> texture { Grey } }
    }
  #break
  #case (2)
    #declare Shape = union {
      object { Band(<0, 0, 0>, <0, 0, H + 0.1>, 0.55) texture { White } }
      cylinder { <0, 0, 0>, <0, 0.01, 0>, 0.5 texture { White } }
      object { Band(<0, 0.005, 0.4>, <0, 0.005, H - 0.2>, 0.12) texture { Grey } }
    }
  #break
  #case (3)
    #declare Shape = union {
      object { Band(<-1.8, 0, 0>, <0.6, 0, 0>, 0.9) }
      prism { linear_sweep linear_spline 0, 0.01, 4, <0.5, -1.2>, <2.2, 0>, <0.5, 1.2>, <0.5, -1.2> }
      texture { White }
    }
  #break
  #else
    #declare Shape = union {
      difference { box { <-H, 0, -1.35>, <H, 0.01, 1.35> } box { <-H - 1, -1, -1.15>, <H + 1, 1, 1.15> } texture { White } }
      box { <-H, 0, -1.1>, <H, 0.008, 1.1> texture { Grey } }
      #declare I = -1;
      #while (I <= 1)
        prism { linear_sweep linear_spline 0.008, 0.012, 7, <I * 1.6 - 0.5, -0.7>, <I * 1.6 - 0.2, -0.7>, <I * 1.6 + 0.3, 0>, <I * 1.6 - 0.2, 0.7>, <I * 1.6 - 0.5, 0.7>, <I * 1.6, 0>, <I * 1.6 - 0.5, -0.7> texture { White } }
        #declare I = I + 1;
      #end
    }
#end
object { Shape }
