// The delete row of the build menu.
#include "gui/factory/placement/GUI_BulldozerTask.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"

namespace
{
constexpr const char* kBulldozerIcon = "slot_delete.dds";

// The row as the picker shows it, for the check of every window.
const GUI_WindowRegistration kBulldozerRegistration{"bulldozer_task",
                                                    [] {
                                                        auto row = std::make_unique<GUI_BulldozerTask>();
                                                        row->SetRect(20.0f, 60.0f, 300.0f, 100.0f);
                                                        return row;
                                                    },
                                                    false};
} // namespace

GUI_BulldozerTask::GUI_BulldozerTask()
    : m_text(GTextTable::GetText("SLOT_DELETE")),
      m_tooltip(std::make_unique<GUI_Tooltip>(GTextTable::GetText("BULLDOZER_TOOLTIP"), GUI_ButtonBase::kTooltipDelay))
{
    m_icon.SetTexture(kBulldozerIcon);
    m_icon.SetColour(0, 0, 0, 255);
}

GUI_BulldozerTask::~GUI_BulldozerTask() = default;

bool GUI_BulldozerTask::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    GUI_PlacementTools::SetDeleteMode(true);
    GUI_Sounds::Instance().PlayEffect(GUI_SoundNames::kSelect);
    return true;
}

void GUI_BulldozerTask::Draw()
{
    if (!IsVisible())
        return;
    GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom}, BackgroundColour(IsMouseOver()));
    m_icon.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised() && fonts.GetCurrentFont())
    {
        const float iconRight = m_icon.m_vertices[1].x;
        fonts.Print(m_text, 0xFF000000u, iconRight + 20.0f, static_cast<float>(m_top + m_bottom) / 2.0f - 9.0f,
                    static_cast<float>(m_right) - iconRight - 20.0f, 0);
    }
    m_tooltip->Draw();
}

void GUI_BulldozerTask::SetRect(float left, float top, float right, float bottom)
{
    GUI_WindowBase::SetRect(left, top, right, bottom);
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    const float side = static_cast<float>(m_height - 4);
    m_icon.m_width = side;
    m_icon.m_height = side;
    m_icon.SetPosition(static_cast<float>(m_inner.left) + 20.0f + side / 2.0f,
                       static_cast<float>(m_top + m_bottom) / 2.0f);
    m_tooltip->SetPosition(static_cast<float>(m_left), static_cast<float>(m_bottom));
}

void GUI_BulldozerTask::Update()
{
    if (IsVisible() && IsMouseOver())
    {
        m_tooltip->UpdateHover();
        GUI_Cursor::Instance().RequestHandCursor();
    }
    GUI_WindowBase::Update();
}
