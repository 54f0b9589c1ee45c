// Car notices.
#include "gui/screens/cars/GUI_VehicleNotice.h"

#include "engine/GFontManager.h"
#include "engine/core/GTextKeys.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/vehicles/SIM_Vehicle.h"

#include <algorithm>

namespace
{
std::vector<GUI_VehicleNotice*>& Notices()
{
    static std::vector<GUI_VehicleNotice*> notices;
    return notices;
}

GUI_VehicleNotice::Renderer& TheRenderer()
{
    static GUI_VehicleNotice::Renderer renderer;
    return renderer;
}
} // namespace

void GUI_VehicleNotice::SetRenderer(Renderer renderer)
{
    TheRenderer() = std::move(renderer);
}

const std::vector<GUI_VehicleNotice*>& GUI_VehicleNotice::All()
{
    return Notices();
}

GUI_VehicleNotice::GUI_VehicleNotice(const SIM_Vehicle* car) : m_vehicle(car)
{
    Notices().push_back(this);
}

GUI_VehicleNotice::~GUI_VehicleNotice()
{
    std::vector<GUI_VehicleNotice*>& notices = Notices();
    notices.erase(std::remove(notices.begin(), notices.end(), this), notices.end());
}

void GUI_VehicleNotice::UpdateText(int kind, const std::string& detail)
{
    m_kind = kind;
    m_detail = detail;
    if (kind >= NEXT_SLOT_NOT_FOUND && kind <= NEXT_SLOT_REQS_NOT_MET)
    {
        m_text = GTextTable::GetText(GTextKeys::kCarNotices[kind - 1]);
        m_icon = kIconTexture;
    }
    else
    {
        // No problem (or one the notice does not know): nothing to say; the icon stays.
        m_kind = NONE;
        m_text.clear();
    }
    if (!m_detail.empty() && m_kind != NONE)
        m_text += " (" + m_detail + ")";
    m_boxColour = Colour{220, 57, 32, 255};
    m_textColour = Colour{240, 240, 240, 255};
    m_textWidth = 0.0f;
    m_textHeight = 16.0f;
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectSemibold16();
    m_textWidth = static_cast<float>(fonts.GetTextWidth(m_text));
    if (m_textWidth > kMostWidth)
    {
        m_textWidth = kMostWidth;
        m_textHeight = fonts.GetWrappedTextHeight(m_text, kMostWidth);
    }
}

void GUI_VehicleNotice::Draw()
{
    if (m_kind == NONE || !m_vehicle || !TheRenderer())
        return;
    TheRenderer()(*this, m_vehicle->GetX(), m_vehicle->GetY());
}
