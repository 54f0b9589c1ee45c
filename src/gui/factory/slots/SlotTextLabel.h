// A slot's name on a white box with a red frame, on a red stem above the top tile of the slot:
// shown while the mouse is over the slot, while its info dialog is open, and always over a research
// office that has nothing to research. Main thread.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <string>

class FloorLabelPlacer;
class SIM_Tile;

class SlotTextLabel
{
public:
    SlotTextLabel(SIM_Tile* anchor, const std::string& text);

    // Measures the text in the body font; an unchanged text changes nothing.
    void SetText(const std::string& text);
    // The box on its stem above the anchor, placed by the frame's placer; returns where it went.
    PRect Draw(FloorLabelPlacer& placer) const;

    SIM_Tile* GetAnchor() const { return m_anchor; }
    const std::string& GetText() const { return m_text; }
    // The text's width in pixels plus 20.
    float GetWidth() const { return m_width; }

private:
    SIM_Tile* m_anchor = nullptr; // owned by the floor
    std::string m_text;
    float m_width = 0.0f;
};
