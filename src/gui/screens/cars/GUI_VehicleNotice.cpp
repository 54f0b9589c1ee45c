// Car notices.
#include "gui/screens/cars/GUI_VehicleNotice.h"

#include "engine/GFontManager.h"
#include "engine/core/GTextKeys.h"
#include "engine/core/GTextTable.h"
#include "sim/vehicles/SIM_Vehicle.h"

GUI_VehicleNotice::GUI_VehicleNotice(const SIM_Vehicle* car) : m_vehicle(car)
{
    m_textHeight = 16.0f;
}

void GUI_VehicleNotice::UpdateText(int kind, const std::string& detail)
{
    m_kind = kind;
    m_detail = detail;
    if (kind >= NEXT_SLOT_NOT_FOUND && kind <= NEXT_SLOT_REQS_NOT_MET)
    {
        m_text = GTextTable::GetText(GTextKeys::kCarNotices[kind - 1]);
        m_symbol.SetTexture(kSymbolTexture);
        if (!m_detail.empty())
            m_text += " (" + m_detail + ")";
    }
    else
    {
        // No problem (or one the notice does not know): nothing to say; the symbol stays.
        m_kind = NONE;
        m_text.clear();
    }
    m_background = Colour{220, 57, 32, 255};
    m_textColour = Colour{240, 240, 240, 255};
    // Without fonts (a game run without a picture) there is nothing to measure.
    if (GFontManager::Instance().IsInitialised())
    {
        Measure();
    }
    else
    {
        m_textWidth = 0.0f;
        m_textHeight = 16.0f;
    }
}

void GUI_VehicleNotice::Draw()
{
    m_lastDrawn = Drawn::NOTHING;
    if (m_kind == NONE || !m_vehicle)
        return;
    Render(m_vehicle->GetX(), m_vehicle->GetY());
}
