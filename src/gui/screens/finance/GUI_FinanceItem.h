// One row of the expenses list: a category's coloured marker and name, then what it cost in the
// last hour, the last 24 hours and all time. Rows are made with their figures fixed and made again
// when the list refreshes. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_FinanceItem : public GUI_WindowBase
{
public:
    GUI_FinanceItem(int category, const std::string& iconTexture, const std::string& categoryKey, float lastHour,
                    float last24Hours, float allTime);

    void SetRect(float left, float top, float right, float bottom) override;
    void Draw() override;

    int GetCategory() const { return m_category; }
    const std::string& GetName() const { return m_name; }
    // 0 last hour, 1 last 24 hours, 2 all time.
    const std::string& GetAmount(int period) const { return m_amounts[period]; }

private:
    int m_category;
    std::string m_name;
    std::string m_amounts[3];
    CTexturedSprite m_icon;
    PRect m_inner;
};
