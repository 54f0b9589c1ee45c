// Flat white pictures seen straight on: FV_Variant 1 tile_blank (the zoom-out tile, mapped on
// the tile diamond and tinted by the task colour), 2 and 3 the two halves of zoom_out_vehicle
// (a car dot's body and its status spot, tinted by the car's state).
#version 3.7;
global_settings { assumed_gamma 1.0 }
#ifndef (FV_Variant) #declare FV_Variant = 1; #end
camera { orthographic location <0, 0, -10> direction z right x * 2 up y * 2 }
background { rgbt <0, 0, 0, 1> }
#declare Flat = finish { ambient 1 diffuse 0 }
#switch (FV_Variant)
  #case (1)
    box { <-1, -1, 0>, <1, 1, 1> pigment { rgb 0.78 } finish { Flat } }
    box { <-0.9, -0.9, -0.1>, <0.9, 0.9, 1> pigment { rgb 1 } finish { Flat } }
  #break
  #case (2)
    cylinder { <0, 0, 0>, <0, 0, 1>, 0.78 pigment { rgb 0.08 } finish { Flat } }
    cylinder { <0, 0, -0.1>, <0, 0, 1>, 0.64 pigment { rgb 0.95 } finish { Flat } }
  #break
  #else
    cylinder { <0, 0, 0>, <0, 0, 1>, 0.46 pigment { rgb 1 } finish { Flat } }
#end
