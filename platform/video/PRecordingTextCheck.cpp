// The recording back end's text guard.
#include "platform/video/PRecordingTextCheck.h"

#include <algorithm>

namespace
{
std::string RectText(const PRect& r)
{
    // Appended piece by piece: gcc 12 at -O3 takes a literal put before a number's text for an
    // overlapping copy and warns (-Wrestrict).
    std::string text = "(";
    text += std::to_string(r.left);
    text += ',';
    text += std::to_string(r.top);
    text += ")-(";
    text += std::to_string(r.right);
    text += ',';
    text += std::to_string(r.bottom);
    text += ')';
    return text;
}
} // namespace

void PRecordingTextCheck::BeginGroup(const std::string& name, const PRect& bounds)
{
    m_groups.push_back({name, bounds});
}

void PRecordingTextCheck::EndGroup()
{
    if (!m_groups.empty())
        m_groups.pop_back();
}

void PRecordingTextCheck::Check(const std::string& text, const std::vector<PRect>& glyphs, const PRect& clip)
{
    if (!enabled)
        return;
    printed.push_back(text);
    if (m_groups.empty())
        return;
    const Group& group = m_groups.back();
    const PRect& b = group.bounds;
    for (const PRect& g : glyphs)
    {
        const PRect seen{std::max(g.left, clip.left), std::max(g.top, clip.top), std::min(g.right, clip.right),
                         std::min(g.bottom, clip.bottom)};
        if (seen.left >= seen.right || seen.top >= seen.bottom)
            continue;
        if (seen.left < b.left || seen.top < b.top || seen.right > b.right || seen.bottom > b.bottom)
        {
            // One finding per text and window is enough to find the place.
            findings.push_back({group.name, text, seen, b});
            return;
        }
    }
}

std::vector<std::string> PRecordingTextCheck::Describe() const
{
    std::vector<std::string> lines;
    lines.reserve(findings.size());
    for (const PTextFinding& f : findings)
        lines.push_back("\"" + f.text + "\" leaves " + f.window + " " + RectText(f.bounds) + ": a glyph inks " +
                        RectText(f.glyph));
    return lines;
}
