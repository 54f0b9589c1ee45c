// The common base of every placed slot: tiles, task, state and history, notice, staff and upgrades.
#include "sim/slots/SIM_PlaceableSlot.h"

#include <algorithm>

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Clock.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/flow/FlowVersions.h"
#include "sim/slots/SIM_Employee.h"
#include "sim/slots/SIM_EmployeeManager.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SlotQueries.h"
#include "sim/views/SIM_SlotNotice.h"
#include "sim/views/SIM_TileView.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"

SIM_PlaceableSlot::SIM_PlaceableSlot()
{
    m_history = std::make_unique<SIM_SlotStateHistory>();
    m_notice.reset(SIM_Presentation::Instance().Listener().CreateSlotNotice(this));
}

SIM_PlaceableSlot::~SIM_PlaceableSlot()
{
    // A slot deleted without being removed first (a placement given up) still lets its staff go.
    DeleteEmployees();
    SlotQueries::Instance().RemoveSlot(this);
}

void SIM_PlaceableSlot::Update()
{
}

int SIM_PlaceableSlot::SetFacing(int facing)
{
    m_facing = facing;
    return m_facing;
}

bool SIM_PlaceableSlot::CanAfford() const
{
    return m_task && SIM_PlacementQueries::CanAfford(*m_task);
}

void SIM_PlaceableSlot::Remove(bool silent)
{
    ClearFromFloor(silent);
}

void SIM_PlaceableSlot::ClearFromFloor(bool silent)
{
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    if (m_anchorTile)
    {
        SIM_Mission* mission = m_anchorTile->m_floor ? m_anchorTile->m_floor->GetMission() : nullptr;
        SIM_BuildingZone* zone = mission ? mission->GetZoneAt(m_anchorTile->m_gridX, m_anchorTile->m_gridY) : nullptr;
        FV_ASSERT(zone != nullptr);

        auto clearTile = [&](SIM_Tile* tile) {
            if (tile->m_view)
            {
                tile->m_view->ClearProps();
                // Without a zone there is no floor to return to; the tile keeps its texture.
                if (zone)
                    tile->m_view->SetFloorTexture(zone->GetRandomFloorTexture().c_str());
            }
            tile->m_builtOn = false;
            // Every tile that names this slot lets go of it, so the tile loop never reaches a
            // deleted slot through a tile other than the anchor.
            if (tile->m_occupant == this)
                SIM_Factory::SetOccupant(tile, nullptr);
        };
        for (SIM_Tile* tile : m_tiles)
            clearTile(tile);
        if (std::find(m_tiles.begin(), m_tiles.end(), m_anchorTile) == m_tiles.end())
            clearTile(m_anchorTile);
    }

    for (SIM_Tile* tile : m_tiles)
        listener.SpawnSlotPlaceParticles(tile);

    if (!silent)
        listener.PlayEffectSound("slot_place.ogg");

    DeleteEmployees();
}

SIM_Tile* SIM_PlaceableSlot::SetTile(SIM_Tile* anchor)
{
    m_anchorTile = anchor;
    // A slot on a floor keeps the time of its state changes by the game's clock.
    if (anchor && anchor->m_floor)
        m_clock = &anchor->m_floor->GetClock();
    return m_anchorTile;
}

SIM_SlotView* SIM_PlaceableSlot::GetGuiSlot() const
{
    return nullptr;
}

void SIM_PlaceableSlot::AddOption(SIM_Tile* tile, const TaskTileDef& def)
{
    (void)def;
    m_tiles.push_back(tile);
}

bool SIM_PlaceableSlot::UpdateRouteState()
{
    return true;
}

void SIM_PlaceableSlot::SetupPlaces()
{
}

bool SIM_PlaceableSlot::PlaceOnFloor(SIM_Tile* anchor, int facing, const SIM_BaseTask& task)
{
    SIM_Factory* factory = anchor ? anchor->m_floor : nullptr;
    if (!factory)
        return false;
    // A task without a footprint still stands on its anchor tile.
    static const TaskTileDef kAnchorOnly;
    std::vector<const TaskTileDef*> defs;
    for (const TaskTileDef& def : task.m_tiles)
        defs.push_back(&def);
    if (defs.empty())
        defs.push_back(&kAnchorOnly);
    std::vector<SIM_Tile*> covered;
    covered.reserve(defs.size());
    for (const TaskTileDef* def : defs)
    {
        int dx = 0;
        int dy = 0;
        RotateTileOffset(facing, def->XOffset, def->YOffset, dx, dy);
        SIM_Tile* tile = factory->GetTile(anchor->m_gridX + dx, anchor->m_gridY + dy);
        if (!tile || (tile->m_occupant && tile->m_occupant != this))
            return false;
        covered.push_back(tile);
    }
    SetFacing(facing);
    SetTile(anchor);
    for (size_t i = 0; i < covered.size(); ++i)
    {
        SIM_Factory::SetOccupant(covered[i], this);
        covered[i]->m_builtOn = true;
        AddOption(covered[i], *defs[i]);
    }
    return true;
}

void SIM_PlaceableSlot::RecalculateUpgradeEffects()
{
    m_speedMult = 1.0f;
    m_powerUseMult = 1.0f;
    m_qualityMult = 1.0f;
    m_powerProdMult = 1.0f;
    m_addPower = 0.0f;
    m_addSpeed = 0.0f;
    for (const SIM_SlotUpgrade* upgrade : m_upgrades)
    {
        if (!upgrade)
            continue;
        for (const SlotUpgradeEffect& effect : upgrade->m_effects)
        {
            switch (effect.type)
            {
            case SU_SPEED:
                m_speedMult += effect.value;
                break;
            case SU_POWERUSE:
                m_powerUseMult += effect.value;
                break;
            case SU_QUALITY:
                m_qualityMult += effect.value;
                break;
            case SU_POWERPROD:
                m_powerProdMult += effect.value;
                break;
            case SU_ABS_SPEED:
                m_addSpeed += effect.value;
                break;
            case SU_ABS_POWER:
                m_addPower += effect.value;
                break;
            default:
                break; // SU_PROP and unknown types change nothing
            }
        }
    }
}

void SIM_PlaceableSlot::SetNearestImportBay(SIM_ResourceImportBay* bay)
{
    if (bay == m_nearestBay)
        return;
    m_nearestBay = bay;
    FlowVersions::NoteSourcesChanged();
}

float SIM_PlaceableSlot::GetGameSpeed() const
{
    return m_clock ? m_clock->speed : SIM_Clock().speed;
}

void SIM_PlaceableSlot::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_history->Record(state, m_clock ? m_clock->gameTime : 0.0f);
}

void SIM_PlaceableSlot::CreateStaff()
{
    // Setting a task again must not hire a second crew whose wages would run alongside the first.
    DeleteEmployees();
    if (!m_task)
        return;
    SIM_EmployeeManager& manager = SIM_EmployeeManager::Instance();
    for (const TaskPropDef* staff : m_task->m_staff)
    {
        std::unique_ptr<SIM_Employee> employee = manager.CreateEmployee();
        employee->Init(staff);
        m_employees.push_back(std::move(employee));
    }
}

void SIM_PlaceableSlot::DeleteEmployees()
{
    m_employees.clear();
}

float SIM_PlaceableSlot::GetPowerDraw() const
{
    if (!m_task)
        return 0.0f;
    return (m_task->m_powerDemand + m_addPower) * m_powerUseMult;
}
