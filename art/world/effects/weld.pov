// Weld sparks flip-book frame FV_Frame (0..23): a flash at the torch and a spray of sparks thrown
// out and falling, fading as they cool. Seen through the factory camera, so sparks fall the way
// everything else stands; the torch tip is the anchor at the picture's centre. The game draws a
// frame at twice its size, so it is rendered at half scale (FV_PixelScale 0.5).
#version 3.7;
#include "fv_scene.inc"
#ifndef (FV_Frame) #declare FV_Frame = 0; #end
#declare T = FV_Frame / 24;
#declare R = seed(7);
#declare Sparks = union {
  #declare I = 0;
  #while (I < 40)
    // Each spark leaves at a fixed random direction and speed and falls under gravity.
    #declare A = rand(R) * 2 * pi;
    #declare Sp = 0.5 + rand(R) * 1.1;
    #declare Up = 0.3 + rand(R) * 1.2;
    #declare Life = 0.35 + rand(R) * 0.5;
    #declare Born = rand(R) * 0.35;
    #declare Tt = (T - Born);
    #if (Tt > 0 & Tt < Life)
      #declare P0 = <cos(A) * Sp * Tt, Up * Tt - 4.9 * Tt * Tt, sin(A) * Sp * Tt>;
      #declare V = <cos(A) * Sp, Up - 9.8 * Tt, sin(A) * Sp>;
      #declare P1 = P0 - V * 0.04;
      #declare Heat = 1 - Tt / Life;
      cylinder { P1, P0 + <0, 0.0001, 0>, 0.02 pigment { rgb <1, 0.5 + 0.5 * Heat, 0.15 + 0.6 * Heat> * (0.4 + 0.8 * Heat) } finish { ambient 1 diffuse 0 } }
    #end
    #declare I = I + 1;
  #end
  // The arc's flash: bright while the frame count is low, flickering.
  #declare Flash = max(0, 1 - T * 2.2) * (0.75 + 0.25 * sin(FV_Frame * 2.7));
  #if (Flash > 0.02)
    sphere { 0, 0.07 + 0.05 * Flash pigment { rgbt <1, 0.97, 0.85, 1 - Flash> } finish { ambient 1.5 diffuse 0 } }
    disc { 0, FV_C, 0.35 * Flash pigment { spherical color_map { [0 rgbt <0.6, 0.8, 1, 1>] [1 rgbt <0.8, 0.9, 1, 1 - 0.7 * Flash>] } scale 0.35 * Flash } finish { ambient 1 diffuse 0 } }
  #end
}
object { Sparks }
