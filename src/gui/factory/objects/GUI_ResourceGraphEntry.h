// One mark of the resource overlay: a red bubble round a travelling resource item and a red line
// from it across and then up or down to the slot it is bound for. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

class SIM_ResourceObject;
class SIM_Tile;

class GUI_ResourceGraphEntry : public GUI_WindowBase
{
public:
    // The bubble's side at zoom 1, in pixels.
    static constexpr float kBubbleSize = 102.0f;
    static constexpr float kBarWidth = 4.0f;

    GUI_ResourceGraphEntry(SIM_ResourceObject* item, SIM_Tile* slotTile);

    // Places the bars and the bubble from the item's picture and the slot's tile on screen, then
    // draws the bars, and the bubble with the item again on top when the bubble is on screen.
    void Draw() override;

    SIM_ResourceObject* GetItem() const { return m_item; }
    const CTexturedSprite& GetBubble() const { return m_bubble; }
    const CTexturedSprite& GetHorizontalBar() const { return m_horizontal; }
    const CTexturedSprite& GetVerticalBar() const { return m_vertical; }

private:
    SIM_ResourceObject* m_item; // not owned: a record of the resource pool
    CTexturedSprite m_bubble;
    CTexturedSprite m_horizontal;
    CTexturedSprite m_vertical;
    SIM_Tile* m_slotTile; // not owned: the factory's
};
