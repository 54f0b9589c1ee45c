// A slot's far-zoom icon: its tiles flat in the task's colour and the task icon over its main tile.
// Owned by the slot view; registered with GUI_ZoomOutIcons while it exists. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "engine/core/GRoster.h"

#include <string>
#include <utility>
#include <vector>

class FloorSlotView;
struct FactoryFrameView;

class GUI_ZoomOutSlot
{
public:
    explicit GUI_ZoomOutSlot(FloorSlotView* owner);
    virtual ~GUI_ZoomOutSlot();
    GUI_ZoomOutSlot(const GUI_ZoomOutSlot&) = delete;
    GUI_ZoomOutSlot& operator=(const GUI_ZoomOutSlot&) = delete;

    // The icon's picture: an atlas image or a plain file.
    void SetIcon(const std::string& name);
    void SetColour(int r, int g, int b, int a);
    // The slot's tiles, flat, as quads appended to out (drawn with the blank tile).
    void DrawTiles(const FactoryFrameView& view, float fade, std::vector<PVertex>& out);
    // Places the icon over the main tile; false when it is off screen.
    bool PlaceIcon(const FactoryFrameView& view, float fade);
    // Thousands of icons lie apart in memory: the frame asks for what DrawTiles and PlaceIcon read
    // some icons ahead, first the icon's own line, then (once that has come) its slot's.
    void PrefetchSelf() const { __builtin_prefetch(&m_owner); }
    void PrefetchOwner() const;
    void PrefetchMainTile() const;
    CTexturedSprite& GetIcon() { return m_icon; }
    int GetRed() const { return m_r; }
    int GetGreen() const { return m_g; }
    int GetBlue() const { return m_b; }

private:
    // What every frame reads first, together at the front.
    FloorSlotView* m_owner = nullptr; // owns this icon
    // Where the owner's tiles are in the world: read once, as the floor never moves.
    std::vector<std::pair<float, float>> m_tilePlaces;
    CTexturedSprite m_icon;
    int m_r = 255, m_g = 255, m_b = 255, m_a = 255;
    friend class GUI_ZoomOutIcons; // keeps m_listPlace
    GRosterPlace m_listPlace;      // on the list of every slot icon
};
