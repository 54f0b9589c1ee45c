// A small draggable window over the factory with what a car is worth so far and the features it
// has been given. One per car: clicking a car whose window is open raises that window. A new
// feature on the car rebuilds its window; a car that leaves or is deleted closes its windows
// before anything draws them again. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"

#include <vector>

class GUI_Features;
class GUI_VehicleDetailsSummary;
class SIM_Vehicle;

class GUI_VehicleDetails : public GUI_Dialog
{
public:
    static constexpr int kWidth = 450;
    static constexpr int kSummaryHeight = 84;
    static constexpr int kMostRows = 10;

    // What a click on a car in the factory calls: raises the car's window, or opens one at the
    // mouse.
    static GUI_VehicleDetails* Show(SIM_Vehicle* car);
    // The car got a feature: its first window shows it again.
    static void Rebuild(SIM_Vehicle* car);
    // The car is going: every window of it closes.
    static void CloseFor(const SIM_Vehicle* car);
    // The open windows in opening order.
    static const std::vector<GUI_VehicleDetails*>& GetOpenWindows();
    static GUI_VehicleDetails* FindFor(const SIM_Vehicle* car);

    explicit GUI_VehicleDetails(SIM_Vehicle* car);
    ~GUI_VehicleDetails() override;

    void Layout() override;
    void Draw() override;
    // The summary and the features made again from the car, at the sizes they have.
    void Rebuild();

    SIM_Vehicle* GetVehicle() const { return m_vehicle; }
    GUI_Features* GetFeatures() const { return m_features; }
    int GetListHeight() const { return m_listHeight; }

private:
    void MakePanels();

    GUI_VehicleDetailsSummary* m_summary = nullptr; // sub-window
    SIM_Vehicle* m_vehicle;                         // owned by the vehicle manager; null once it went
    GUI_Features* m_features = nullptr;             // sub-window
    int m_listHeight = 0;
};
