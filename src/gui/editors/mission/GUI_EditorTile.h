// One cell of the mission editor's map: what lies on that tile of the factory floor (empty, inside
// a building zone, an import bay or a car export) and the colour it is drawn in. The map keeps
// one per tile in a plain array and draws runs of equal cells at once: a 999 x 999 floor would
// otherwise be a million windows and a million draw calls every frame.
#pragma once

#include <cstdint>

class GUI_EditorTile
{
public:
    enum Kind
    {
        KIND_ZONE = 0,
        KIND_EMPTY = 1,
        KIND_IMPORT = 2,
        KIND_EXPORT = 3,
    };

    static uint32_t ColourOf(int kind);

    void SetKind(int kind)
    {
        m_kind = kind;
        m_colour = ColourOf(kind);
    }
    int GetKind() const { return m_kind; }
    uint32_t GetColour() const { return m_colour; }

private:
    int m_kind = KIND_EMPTY;
    uint32_t m_colour = 0xFF202020u;
};
