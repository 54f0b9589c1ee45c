// A car's far-zoom dot in two halves: the left keeps its colour, the right says what the car is
// doing (green working or moving on, yellow waiting, red stuck; a finished car shows nothing).
// Owned by the car's view; registered with GUI_ZoomOutIcons while it exists. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "engine/core/GRoster.h"

class SIM_Vehicle;
struct FactoryFrameView;

class GUI_ZoomOutVehicle
{
public:
    explicit GUI_ZoomOutVehicle(const SIM_Vehicle* vehicle);
    virtual ~GUI_ZoomOutVehicle();
    GUI_ZoomOutVehicle(const GUI_ZoomOutVehicle&) = delete;
    GUI_ZoomOutVehicle& operator=(const GUI_ZoomOutVehicle&) = delete;

    void UpdateColour(float fade);
    // Both halves into the shared batch (whose texture is the vehicle dot), left first.
    void Draw(const FactoryFrameView& view, float fade);

private:
    CTexturedSprite m_left;
    CTexturedSprite m_right;
    const SIM_Vehicle* m_vehicle = nullptr; // owned by the vehicle manager
    friend class GUI_ZoomOutIcons;          // keeps m_listPlace
    GRosterPlace m_listPlace;               // on the list of every car icon
};
