// Placement sparkle particle: a hot white core with an orange glow, seen straight on.
#version 3.7;
global_settings { assumed_gamma 1.0 }
camera { orthographic location <0, 0, -10> direction z right x * 2 up y * 2 }
background { rgbt <0, 0, 0, 1> }
disc { <0, 0, 0>, -z, 1
  pigment {
    spherical
    color_map { [0 rgbt <1, 0.45, 0.08, 1>] [0.35 rgbt <1, 0.55, 0.15, 0.6>] [0.75 rgbt <1, 0.85, 0.55, 0.1>] [1 rgbt <1, 1, 0.95, 0>] }
  }
  finish { ambient 1 diffuse 0 }
}
