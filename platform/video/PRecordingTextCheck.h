// The recording back end's guard that every text stays inside its window: drawing is grouped by
// the window it belongs to, the text renderer reports where each glyph inks, and every glyph
// whose visible part (inside the viewport, which clips drawing) reaches past its window is kept
// as a finding that names the window and the text. Off until a test turns it on.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <string>
#include <vector>

struct PTextFinding
{
    std::string window; // the innermost group's name
    std::string text;   // the whole text the glyph belongs to
    PRect glyph;        // the glyph's visible ink
    PRect bounds;       // the window's rectangle
};

class PRecordingTextCheck
{
public:
    bool enabled = false;
    std::vector<PTextFinding> findings;
    // Every text printed while enabled, in order (what the player was shown).
    std::vector<std::string> printed;

    void BeginGroup(const std::string& name, const PRect& bounds);
    void EndGroup();
    // Checks each glyph's ink against the innermost group; clip is the viewport. Glyphs outside
    // every group and glyphs the viewport hides entirely are not held to anything.
    void Check(const std::string& text, const std::vector<PRect>& glyphs, const PRect& clip);
    // One line per finding: window, text, glyph and bounds.
    std::vector<std::string> Describe() const;
    void Clear()
    {
        findings.clear();
        printed.clear();
        m_groups.clear();
    }
    int Depth() const { return static_cast<int>(m_groups.size()); }

private:
    struct Group
    {
        std::string name;
        PRect bounds;
    };
    std::vector<Group> m_groups;
};
