// The vehicle details windows.
#include "gui/screens/cars/GUI_VehicleDetails.h"

#include "engine/CBaseInputManager.h"
#include "engine/GFontManager.h"
#include "gui/screens/cars/GUI_Features.h"
#include "gui/screens/cars/GUI_VehicleDetailsSummary.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/vehicles/SIM_Vehicle.h"

#include <algorithm>

namespace
{
std::vector<GUI_VehicleDetails*>& OpenWindows()
{
    static std::vector<GUI_VehicleDetails*> windows;
    return windows;
}

void Forget(GUI_VehicleDetails* window)
{
    std::vector<GUI_VehicleDetails*>& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}
} // namespace

const std::vector<GUI_VehicleDetails*>& GUI_VehicleDetails::GetOpenWindows()
{
    return OpenWindows();
}

GUI_VehicleDetails* GUI_VehicleDetails::FindFor(const SIM_Vehicle* car)
{
    for (GUI_VehicleDetails* window : OpenWindows())
        if (car && window->m_vehicle == car)
            return window;
    return nullptr;
}

GUI_VehicleDetails* GUI_VehicleDetails::Show(SIM_Vehicle* car)
{
    if (!car)
        return nullptr;
    if (GUI_VehicleDetails* open = FindFor(car))
    {
        GUI_WindowManager::Instance().BringToFront(open);
        return open;
    }
    return GUI_WindowManager::Create<GUI_VehicleDetails>(car);
}

void GUI_VehicleDetails::Rebuild(SIM_Vehicle* car)
{
    if (GUI_VehicleDetails* open = FindFor(car))
        open->Rebuild();
}

void GUI_VehicleDetails::CloseFor(const SIM_Vehicle* car)
{
    const std::vector<GUI_VehicleDetails*> windows = OpenWindows();
    for (GUI_VehicleDetails* window : windows)
    {
        if (!car || window->m_vehicle != car)
            continue;
        // It reads the car no more, even while its deletion waits for the frame's input to end.
        window->m_vehicle = nullptr;
        Forget(window);
        window->Close();
    }
}

GUI_VehicleDetails::GUI_VehicleDetails(SIM_Vehicle* car) : GUI_Dialog(true), m_vehicle(car)
{
    SetDraggable(true);
    const int features = car ? static_cast<int>(car->GetFeatureRecords().size()) : 0;
    m_listHeight = std::min(features, kMostRows) * GUI_Features::kRowHeight + GUI_Features::kRowHeight + 4;
    const float height = m_topMargin + m_bottomMargin + static_cast<float>(m_listHeight + kSummaryHeight);
    SetSize(static_cast<float>(kWidth), height);
    MakePanels();
    const CBaseInputManager* input = CBaseInputManager::Active();
    const float x = input ? input->GetMouseX() : 0.0f;
    const float y = input ? input->GetMouseY() : 0.0f;
    SetPosition(x, y);
    // On screen and below the top strip.
    ClampToScreen();
    SetTitleByKey("VEHICLE_DETAILS");
    m_features->Build();
    OpenWindows().push_back(this);
}

GUI_VehicleDetails::~GUI_VehicleDetails()
{
    Forget(this);
}

void GUI_VehicleDetails::MakePanels()
{
    m_summary = CreateSubWindow<GUI_VehicleDetailsSummary>(m_vehicle);
    std::vector<const SIM_VehicleFeatureRecord*> records;
    if (m_vehicle)
        records = GUI_Features::RecordsOf(*m_vehicle);
    m_features = CreateSubWindow<GUI_Features>(std::move(records));
}

void GUI_VehicleDetails::Layout()
{
    const PRect& client = GetClientRect();
    GUI_Layout::Place(m_summary, PRect{client.left, client.top, client.right, client.top + kSummaryHeight});
    GUI_Layout::Place(m_features, PRect{client.left, client.top + kSummaryHeight, client.right,
                                        client.top + kSummaryHeight + m_listHeight});
}

void GUI_VehicleDetails::Rebuild()
{
    if (!m_vehicle)
        return;
    (void)RemoveSubWindow(m_summary);
    (void)RemoveSubWindow(m_features);
    MakePanels();
    Layout();
    m_features->Build();
}

void GUI_VehicleDetails::Draw()
{
    GUI_Dialog::Draw();
    DrawSubWindows();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        fonts.Flush();
}
