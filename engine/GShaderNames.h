// The screen effects the views look up by name in data/shaders. The shader manager reports each
// one that did not load, and the data checker holds the data to the same list.
#pragma once

inline constexpr const char* kShaderFolder = "data/shaders";
inline constexpr const char* kGameShaderNames[] = {"overlay.fx", "conveyor_mode.fx", "highlight_sprite.fx"};
