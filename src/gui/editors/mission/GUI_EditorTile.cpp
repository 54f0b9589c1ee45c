// Mission editor map cell colours.
#include "gui/editors/mission/GUI_EditorTile.h"

uint32_t GUI_EditorTile::ColourOf(int kind)
{
    switch (kind)
    {
    case KIND_ZONE:
        return 0xFF8080F5u;
    case KIND_IMPORT:
        return 0xFF80F580u;
    case KIND_EXPORT:
        return 0xFFF51414u;
    default:
        return 0xFF202020u;
    }
}
