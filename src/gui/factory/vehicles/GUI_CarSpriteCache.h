// The car sprite cache: a render target of 16 x 8 cells into which each car is rendered once per
// view, so that far out a car costs one quad instead of a dozen component layers. Cars of the
// same design, paint and view share a cell; a cell not drawn for 100 frames is given back.
// Main thread only (render targets are switched here).
#pragma once

#include "gui/factory/vehicles/CarSpriteCell.h"

#include <memory>
#include <vector>

class SIM_VehicleComponent;

class GUI_CarSpriteCache
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 8;

    static GUI_CarSpriteCache& Instance();

    // Once per game: grid positions, every cell free, the whole target cleared to transparent.
    void Init();
    // A cell showing this car (its component list, the view, its paint): a matching one, else a
    // newly rendered one; null when every cell is in use.
    CarSpriteCell* FindOrRender(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components, int view,
                                const int colour[4]);
    // Renders the car into the first free cell; null when there is none.
    CarSpriteCell* Render(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components, int view,
                          const int colour[4]);
    CarSpriteCell* FindFreeCell();
    // Once per frame: cells not drawn for 100 frames are freed, and the cars holding them forget
    // them (they ask again when they next draw).
    void AgeCells();

    // Forgets the render target and every cell (the texture store or the device is going away).
    void ReleaseGraphics();

    CarSpriteCell& Cell(int x, int y) { return m_cells[x][y]; }
    // Render-target switches since the counter was last reset (the benchmark reads it).
    int GetTargetSwitches() const { return m_targetSwitches; }
    void ResetTargetSwitches() { m_targetSwitches = 0; }

private:
    GUI_CarSpriteCache() = default;
    void DrawComponents(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components, int view,
                        const int colour[4], float centreX, float centreY);

    CarSpriteCell m_cells[kColumns][kRows];
    int m_targetSwitches = 0;
};
