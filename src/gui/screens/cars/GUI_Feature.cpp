// A row of the features list.
#include "gui/screens/cars/GUI_Feature.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/screens/cars/DesignPriceText.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

GUI_Feature::GUI_Feature(const SIM_VehicleFeatureRecord* record) : m_record(record)
{
    const SIM_VehicleFeature* feature = record ? record->feature : nullptr;
    m_featureName = feature ? feature->GetGUIName() : std::string();
    m_valueText = FormatValue(feature ? feature->GetValue() : 0.0f);
    m_tooltip = std::make_unique<GUI_Tooltip>(m_featureName, 0);
    if (record)
        for (const SIM_SlotUpgrade* upgrade : record->upgrades)
            if (upgrade)
                m_tooltip->AddLine(upgrade->GetGuiName());
}

GUI_Feature::~GUI_Feature() = default;

std::string GUI_Feature::FormatValue(float value)
{
    return DesignPriceText::WholeAmount("$", value);
}

void GUI_Feature::Update()
{
    if (IsMouseOver())
        m_tooltip->UpdateHover();
    GUI_WindowBase::Update();
}

void GUI_Feature::Draw()
{
    if (IsMouseOver())
        GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom}, 0xFFDCDCDCu);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        fonts.Print(m_featureName, 0xFF000000u, static_cast<float>(m_left + 10), static_cast<float>(m_top), 0.0f, 0);
        fonts.Print(m_valueText, 0xFF000000u, static_cast<float>(m_left), static_cast<float>(m_top),
                    static_cast<float>(m_width - 10), 1);
    }
    m_tooltip->Draw();
}
