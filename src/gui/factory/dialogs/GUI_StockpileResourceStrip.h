// One resource the picker offers: its icon and name; a click adds it to the stockpile's list.
// Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

class SIM_Resource;

class GUI_StockpileResourceStrip : public GUI_WindowBase
{
public:
    explicit GUI_StockpileResourceStrip(const SIM_Resource* resource);

    bool OnClick(float x, float y) override;
    void Draw() override;
    void SetRect(float left, float top, float right, float bottom) override;

    const SIM_Resource* GetResource() const { return m_resource; }

private:
    PRect m_inner;
    const SIM_Resource* m_resource; // not owned: the resource list's
    CTexturedSprite m_icon;
};
