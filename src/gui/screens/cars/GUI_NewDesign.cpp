// The new-design dialog.
#include "gui/screens/cars/GUI_NewDesign.h"

#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/cars/GUI_DesignPreview.h"
#include "gui/screens/cars/GUI_Features.h"
#include "gui/screens/cars/GUI_PriceSlider.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_MenuButton.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleManager.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// Every printable character but the refused ones.
std::string AllowedNameCharacters()
{
    std::string allowed;
    for (char c = 32; c < 127; ++c)
        if (std::strchr(GUI_NewDesign::kRefusedCharacters, c) == nullptr)
            allowed += c;
    return allowed;
}
} // namespace

GUI_NewDesign* GUI_NewDesign::Show(SIM_VehicleDesign* design, SIM_Vehicle* car)
{
    if (s_single.Get())
    {
        GUI_NewDesign* previous = s_single.Get();
        previous->Finish();
        previous->Close();
    }
    return GUI_WindowManager::Create<GUI_NewDesign>(design, car);
}

GUI_NewDesign::GUI_NewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car)
    : GUI_Dialog(false), m_nameLabel(GTextTable::GetText("NEWDESIGN_NAME")),
      m_nameTakenText(GTextTable::GetText("NEWDESIGN_NAME_TAKEN")), m_design(design), m_vehicle(car)
{
    s_single.Claim(this);
    m_nameEdit = CreateSubWindow<GUI_TextEditWindow>(kNameLimit);
    m_nameEdit->SetAllowedCharacters(AllowedNameCharacters());
    m_priceSlider = CreateSubWindow<GUI_PriceSlider>();
    m_saveButton = CreateChild<GUI_MenuButton>("SAVE_NEW_DESIGN", [this] { Save(); });
    m_preview = CreateSubWindow<GUI_DesignPreview>(design);
    std::vector<const SIM_VehicleFeatureRecord*> records;
    if (design)
        records = GUI_Features::RecordsOf(*design);
    m_features = CreateSubWindow<GUI_Features>(std::move(records));

    SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
    CentreOnScreen();
    ShowModal();
    SetTitleByKey("NEWDESIGN_TITLE");
    BuildPictures();
    const float value = SIM_VehicleDesign::GetDesignValue(design);
    m_priceSlider->SetRange(value * 0.5f, value, value * 2.0f);

    // The game waits while the player thinks about the new model.
    FrontEnd::HoldGame();
}

GUI_NewDesign::~GUI_NewDesign()
{
    Finish();
}

void GUI_NewDesign::Layout()
{
    const PRect& client = GetClientRect();
    const int l = client.left, t = client.top, r = client.right, b = client.bottom;
    const int c = (m_left + m_right) / 2;
    GUI_Layout::Place(m_nameEdit, PRect{l, t + 20, c, t + 50});
    GUI_Layout::Place(m_priceSlider, PRect{c + 5, t, r, t + 130});
    GUI_Layout::Place(m_saveButton, PRect{c - 100, b - 42, c + 100, b});
    GUI_Layout::Place(m_preview, PRect{l, t + 60, c - 5, b - 50});
    GUI_Layout::Place(m_features, PRect{c + 5, t + 140, r, b - 50});
}

void GUI_NewDesign::BuildPictures()
{
    if (m_design)
        m_preview->Build(m_design->m_colour.r, m_design->m_colour.g, m_design->m_colour.b);
    m_features->Build();
}

bool GUI_NewDesign::IsNameAllowed(const std::string& name, const SIM_VehicleDesign* design)
{
    if (name.find_first_of(kRefusedCharacters) != std::string::npos)
        return false;
    if (IsBlank(name))
        return true;
    for (const SIM_VehicleDesign* other : SIM_VehicleDesignManager::Instance().GetDesigns())
        if (other != design && other && other->m_name == name)
            return false;
    return true;
}

bool GUI_NewDesign::Save()
{
    if (m_finished || !m_design)
        return false;
    const std::string& typed = m_nameEdit->GetText();
    if (!IsNameAllowed(typed, m_design))
    {
        m_nameRefused = true;
        return false;
    }
    m_design->m_name = IsBlank(typed) ? SIM_VehicleDesignManager::Instance().MakeUniqueDefaultName() : typed;
    m_design->m_price = m_priceSlider->GetPrice();
    // The car that made the design is the first of its kind in stock.
    if (!m_vehicle || !SIM_SalesManager::Instance().AddVehicleToStock(m_vehicle))
        SIM_SalesManager::Instance().AddToStock(m_design, 1);
    m_saved = true;
    Finish();
    Close();
    return true;
}

void GUI_NewDesign::ForgetVehicle(const SIM_Vehicle* car)
{
    if (car && car == m_vehicle)
        m_vehicle = nullptr;
}

void GUI_NewDesign::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    s_single.Release(this);
    // A game torn down under the dialog may have taken its design along.
    const std::vector<SIM_VehicleDesign*>& designs = SIM_VehicleDesignManager::Instance().GetDesigns();
    if (std::find(designs.begin(), designs.end(), m_design) == designs.end())
        m_design = nullptr;
    if (!m_saved && m_design)
    {
        m_design->m_name = SIM_VehicleDesignManager::Instance().MakeUniqueDefaultName();
        m_design->m_price = m_priceSlider->GetPrice();
    }
    if (m_vehicle)
    {
        SIM_Vehicle* car = m_vehicle;
        m_vehicle = nullptr;
        SIM_VehicleManager::Instance().ReleaseHeld(car);
    }
    FrontEnd::ReleaseGame();
}

void GUI_NewDesign::Draw()
{
    GUI_Dialog::Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectSemibold16();
    fonts.Print(m_nameLabel, 0xFF000000u, static_cast<float>(m_nameEdit->GetLeft()),
                static_cast<float>(m_nameEdit->GetTop() - 20), 0.0f, 0);
    // Beside the label while the name in the field is still refused.
    if (m_nameRefused && !IsNameAllowed(m_nameEdit->GetText(), m_design))
        fonts.Print(m_nameTakenText, 0xFFC03020u,
                    static_cast<float>(m_nameEdit->GetLeft() + fonts.GetTextWidth(m_nameLabel) + 12),
                    static_cast<float>(m_nameEdit->GetTop() - 20), 0.0f, 0);
    fonts.Flush();
}
