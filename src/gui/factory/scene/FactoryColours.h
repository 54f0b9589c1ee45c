// Colours the factory view draws its marks on the floor in.
#pragma once

#include <cstdint>

namespace FactoryColours
{
// Tile outlines, slot name labels, the import bays' labels and the line from a dialog to its slot.
inline constexpr uint32_t kFloorOverlayRed = 0xFFFF0505u;
// The conveyor view: stockpiles a conveyor reaches and the arms of the pieces, and stockpiles
// none reaches.
inline constexpr uint32_t kConveyorGreen = 0xFF14DC14u;
inline constexpr uint32_t kConveyorRed = 0xFFDC1414u;
} // namespace FactoryColours
