// One row of the resource list on the prices tab: the resource's icon and name. A click shows the
// resource's price history in the graph. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

class SIM_Resource;

class GUI_Fin_Resource : public GUI_WindowBase
{
public:
    // The resource is not owned and must outlive the row.
    explicit GUI_Fin_Resource(SIM_Resource* resource);

    void SetRect(float left, float top, float right, float bottom) override;
    // Over the row: the prices tab shows this resource.
    bool OnClick(float x, float y) override;
    // Over the row: the hand cursor, and nothing else.
    void Update() override;
    void Draw() override;

    SIM_Resource* GetResource() const { return m_resource; }

private:
    CTexturedSprite m_icon;
    SIM_Resource* m_resource; // not owned: the resource manager's
    PRect m_inner;
};
