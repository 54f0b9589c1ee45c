// How the placement tools draw what is not built yet: ghost quads of a footprint, tinted floors of
// a dragged path and the colours that say whether a click would build. Drawn at once over the
// finished scene, never through the depth-sorted queue. Main thread.
#pragma once

#include <cstdint>
#include <string>

class GUI_Tile;
class SIM_Tile;
struct FactoryFrameView;

struct GhostColour
{
    uint8_t r = 255, g = 255, b = 255, a = 255;
    // As a vertex colour: alpha, red, green, blue from the high byte down.
    uint32_t Packed() const
    {
        return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
    }
};

namespace PlacementGhost
{
// A placement that may stand there, one that may not, and the tiles of a dragged path.
inline constexpr GhostColour kValid{63, 231, 0, 128};
inline constexpr GhostColour kInvalid{231, 22, 0, 128};
inline constexpr GhostColour kPath{63, 231, 0, 255};

inline const GhostColour& ValidityColour(bool valid)
{
    return valid ? kValid : kInvalid;
}

// A floor-sized quad of the picture (an atlas image or a plain file) over the tile, all corners in
// the colour. uMirror and vMirror swap the picture's corners left-right and top-bottom.
void DrawTileQuad(const std::string& picture, const SIM_Tile& tile, const FactoryFrameView& view,
                  const GhostColour& colour, bool uMirror = false, bool vMirror = false);
// The tile's own floor picture drawn again over it in the colour (a dragged path); nothing when
// the tile was not on screen this frame.
void DrawTintedFloor(const GUI_Tile& tile, const GhostColour& colour);
} // namespace PlacementGhost
