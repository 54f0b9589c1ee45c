// A placed production task: its state machine, sub-tasks, resources, components and car work.
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/definitions/SIM_DataNames.h"

#include <algorithm>
#include <cmath>

#include "engine/core/GDebugLog.h"
#include "platform/core/PRandom.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_RepeatLog.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/definitions/VehicleColor.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/slots/SlotQueries.h"
#include "sim/slots/SubTask.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/views/SIM_CarView.h"
#include "sim/views/SIM_SlotNotice.h"
#include "sim/views/SIM_SlotView.h"
#include "sim/views/SIM_TileView.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

SIM_ProductionSlot::SIM_ProductionSlot()
{
    m_facilityFlag = 0;
    // Spreads the slots' state logic over the ten ticks between their updates.
    m_updateCounter = static_cast<int32_t>(PRandom::Rand() / 32768.0 * 10.0);
}

SIM_ProductionSlot::~SIM_ProductionSlot()
{
    // A slot deleted without being removed (a placement given up) takes its car along, so no
    // car is left pointing at a slot that is gone.
    if (m_vehicle)
    {
        SIM_VehicleManager::Instance().DestroyVehicle(m_vehicle);
        m_vehicle = nullptr;
    }
    SlotQueries::Instance().RemoveSlot(this);
}

SIM_ResourceReceiver* SIM_ProductionSlot::GetResourceReceiver()
{
    return m_inputStockpile.get();
}

bool SIM_ProductionSlot::IsConveyor() const
{
    return m_productionTask && m_productionTask->IsConveyor();
}

void SIM_ProductionSlot::SetTask(SIM_ProductionTask* task)
{
    FV_ASSERT(task != nullptr);
    FV_ASSERT(m_anchorTile != nullptr);
    if (!task)
        return;
    m_task = task;
    m_productionTask = task;
    m_isExport = task->m_name == SIM_DataNames::kTaskExport;
    m_createsCars = task->m_name == SIM_DataNames::kTaskFitChassis ||
                    task->m_name == SIM_DataNames::kTaskFitFrontAxle || task->m_name == SIM_DataNames::kTaskFitAxles;
    m_options.clear();
    RebuildSubTasks();
    CreateStaff();
    SlotQueries::Instance().ListProductionSlot(this);
}

void SIM_ProductionSlot::AssignTask(SIM_BaseTask* task)
{
    m_task = task;
    m_productionTask = static_cast<SIM_ProductionTask*>(task);
}

void SIM_ProductionSlot::ApplyTask()
{
    SetTask(m_productionTask);
}

void SIM_ProductionSlot::SetOption(bool on, const std::string& name)
{
    auto it = std::find(m_options.begin(), m_options.end(), name);
    if (on)
    {
        if (it == m_options.end())
            m_options.push_back(name);
    }
    else
    {
        m_options.erase(std::remove(m_options.begin(), m_options.end(), name), m_options.end());
    }
    RebuildSubTasks();
    if (m_vehicle)
        StartRunning();
}

void SIM_ProductionSlot::SetGuiSlot(SIM_SlotView* view)
{
    if (view != m_guiSlot.get())
        m_guiSlot.reset(view);
}

void SIM_ProductionSlot::ReleaseSubTasks()
{
    m_subTasks.clear();
}

void SIM_ProductionSlot::RebuildSubTasks()
{
    ReleaseSubTasks();
    if (m_productionTask)
    {
        SIM_ProductionTaskManager& tasks = SIM_ProductionTaskManager::Instance();
        for (const std::string& name : m_productionTask->m_subTasksApplied)
        {
            SIM_ProductionTask* step = tasks.GetTask(name);
            if (!step)
            {
                // A step naming no task is left out rather than run as nothing.
                FV_REPORT_REPEATING("Sub-task names no task:", name, "");
                continue;
            }
            if (step->m_optional && std::find(m_options.begin(), m_options.end(), name) == m_options.end())
                continue;
            auto sub = std::make_unique<SubTask>();
            sub->task = step;
            sub->duration = step->m_processTime;
            m_subTasks.push_back(std::move(sub));
        }
        if (m_subTasks.empty())
        {
            auto sub = std::make_unique<SubTask>();
            sub->task = m_productionTask;
            sub->duration = m_productionTask->m_processTime;
            m_subTasks.push_back(std::move(sub));
        }
    }
    m_currentSubTask = 0;
    RebuildRequiredResources();
}

void SIM_ProductionSlot::RebuildRequiredResources()
{
    for (RequiredResource& entry : m_required)
        entry = RequiredResource();
    int used = 0;
    bool overflow = false;
    auto add = [&](SIM_Resource* resource, int count, bool merge) {
        if (!resource)
            return;
        if (merge)
        {
            for (int i = 0; i < used; ++i)
            {
                if (m_required[i].resource == resource)
                {
                    m_required[i].count += count;
                    return;
                }
            }
        }
        if (used >= kRequiredResourceCount)
        {
            overflow = true;
            return;
        }
        m_required[used].resource = resource;
        m_required[used].count = count;
        ++used;
    };

    if (m_currentSubTask >= 0 && m_currentSubTask < static_cast<int>(m_subTasks.size()))
    {
        const SIM_ProductionTask* step = m_subTasks[m_currentSubTask]->task;
        if (step)
            for (const TaskResourceAmount& amount : step->m_resources)
                add(amount.resource, amount.count, false);
    }
    for (const SIM_SlotUpgrade* upgrade : m_upgrades)
    {
        if (!upgrade)
            continue;
        for (const SlotUpgradeResource& amount : upgrade->m_resources)
            add(amount.resource, amount.count, true);
    }
    // The table has room for 16 kinds; more would write past it. Data that asks for more is
    // reported once per slot and the rest is left out.
    if (overflow && !m_requiredOverflowReported)
    {
        m_requiredOverflowReported = true;
        FV_TRACE("Slot needs more than 16 kinds of resources; the rest are ignored");
    }
}

bool SIM_ProductionSlot::AreResourcesMissing() const
{
    if (m_subTasks.empty() || !m_inputStockpile)
        return false;
    for (const RequiredResource& entry : m_required)
    {
        if (entry.count <= 0 || !entry.resource)
            continue;
        if (m_inputStockpile->CountStored(entry.resource) < entry.count)
            return true;
    }
    return false;
}

void SIM_ProductionSlot::AddOption(SIM_Tile* tile, const TaskTileDef& def)
{
    AddTile(tile, def);
}

void SIM_ProductionSlot::AddTile(SIM_Tile* tile, const TaskTileDef& def)
{
    SIM_PlaceableSlot::AddOption(tile, def);
    if (def.type == TT_STOCKPILE)
    {
        FV_ASSERT(tile != nullptr && m_inputStockpile == nullptr);
        if (tile && !m_inputStockpile)
            m_inputStockpile = std::make_unique<SIM_ResourceStockpile>(this, tile);
    }
    else if (def.type == TT_EXPORT)
    {
        FV_ASSERT(tile != nullptr && m_outputStockpile == nullptr);
        if (tile && !m_outputStockpile)
            m_outputStockpile = std::make_unique<SIM_ComponentStockpile>(this, tile);
    }
}

int SIM_ProductionSlot::SetFacing(int facing)
{
    m_facing = facing;
    if (m_guiSlot)
        m_guiSlot->BuildTiles();
    return m_facing;
}

SIM_SlotView* SIM_ProductionSlot::GetGuiSlot() const
{
    return m_guiSlot.get();
}

bool SIM_ProductionSlot::CheckRoute(bool& deferred)
{
    deferred = false;
    if (!m_inputStockpile)
        return false;
    SIM_ResourceImportBay* bay = nullptr;
    if (!SIM_ResourceConveyorManager::Instance().TryFindNearestImportBay(m_inputStockpile->GetTile(), bay))
    {
        // This frame's share of route searching is spent: the slot asks again at its next update
        // and keeps its state meanwhile.
        deferred = true;
        return false;
    }
    SetNearestImportBay(bay);
    if (m_nearestBay)
        return false;
    if (m_inputStockpile->CanServeFromComponents(deferred) || deferred)
        return false;
    SetState(NOROUTE_TO_RESOURCES);
    return true;
}

bool SIM_ProductionSlot::UpdateRouteState()
{
    bool deferred = false;
    CheckRoute(deferred);
    return !deferred;
}

void SIM_ProductionSlot::ReportMissingResources()
{
    bool noRoute = false;
    if (!m_nearestBay)
    {
        bool deferred = false;
        noRoute = CheckRoute(deferred);
        if (deferred)
            return;
    }
    SetState(noRoute ? NOROUTE_TO_RESOURCES : INSUFFICIENT_RESOURCES);
}

void SIM_ProductionSlot::Update()
{
    if (m_inputStockpile)
    {
        m_inputStockpile->m_updatePhase += 1.0f;
        if (m_inputStockpile->m_updatePhase > 60.0f)
        {
            m_inputStockpile->Update();
            m_inputStockpile->m_updatePhase = 0.0f;
        }
    }

    if (!IsConveyor())
    {
        ++m_updateCounter;
        if (m_updateCounter <= 9)
            return;
    }
    m_updateCounter = 0;

    if (m_outputStockpile)
    {
        const int place = m_outputStockpile->Exporter().ExportOne();
        if (place >= 0 && place < 16)
        {
            SIM_Tile* tile = m_outputStockpile->GetTile();
            if (tile && tile->m_view)
            {
                // The component's sprite stood at its place as laid out for facing 1.
                const SubTileOffset offset = GetSubTileOffset(place, 1);
                tile->m_view->RemovePropAt(offset.x, offset.y);
            }
        }
    }

    if (m_productionTask)
    {
        if (m_productionTask->m_kind == TASK_COMPONENT)
            ComponentTaskLogic();
        else if (m_productionTask->m_kind == TASK_VEHICLE)
            VehicleTaskLogic();
    }

    MirrorStateToView();
}

void SIM_ProductionSlot::MirrorStateToView()
{
    int kind = SIM_SlotNotice::NONE;
    if (m_state == RUNNING)
    {
        m_busy = 1;
    }
    else
    {
        if (m_guiSlot)
            m_guiSlot->StopAnimations();
        m_busy = (m_vehicle && m_vehicle->GetState() == SIM_Vehicle::MOVING) ? 1 : 0;
        if (!IsConveyor())
        {
            switch (m_state)
            {
            case NOROUTE_TO_RESOURCES:
                kind = SIM_SlotNotice::NO_RESOURCE_ROUTE;
                break;
            case INSUFFICIENT_RESOURCES:
                kind = SIM_SlotNotice::NO_RESOURCES;
                break;
            case NO_EXPORT_ROOM:
                kind = SIM_SlotNotice::NO_EXPORT_ROOM;
                break;
            default:
                break;
            }
        }
    }
    if (kind != m_noticeKind)
    {
        m_noticeKind = kind;
        if (m_notice)
            m_notice->SetKind(kind);
    }
}

void SIM_ProductionSlot::ComponentTaskLogic()
{
    if (m_state == RUNNING)
    {
        UpdateProgress();
        return;
    }
    if (AreResourcesMissing())
    {
        ReportMissingResources();
        return;
    }
    if (m_outputStockpile && m_outputStockpile->FreePlace() >= 0)
    {
        StartRunning();
        UpdateProgress();
        return;
    }
    SetState(NO_EXPORT_ROOM);
}

void SIM_ProductionSlot::VehicleTaskLogic()
{
    if (m_state == WAITING_FOR_EXPORT)
    {
        FV_ASSERT(m_vehicle != nullptr);
        if (!m_vehicle)
        {
            SetState(INSUFFICIENT_VEHICLE);
            return;
        }
        if (FindNextSlot())
        {
            if (m_isExport)
                ExportVehicle();
            else
                PassVehicleToNextSlot();
            SetState(INSUFFICIENT_VEHICLE);
        }
        return;
    }

    if (m_state != RUNNING)
    {
        if (AreResourcesMissing())
        {
            ReportMissingResources();
            return;
        }
        if (m_createsCars && !m_vehicle)
        {
            SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
            car->SetPosition(m_anchorTile ? m_anchorTile->m_worldX : 0.0f,
                             m_anchorTile ? m_anchorTile->m_worldY : 0.0f);
            car->SetSlot(this);
            car->SetFacing(m_facing);
            car->SetState(SIM_Vehicle::STANDING);
            m_vehicle = car;
        }
        if (!m_vehicle)
        {
            SetState(INSUFFICIENT_VEHICLE);
            return;
        }
        if (m_vehicle->GetState() == SIM_Vehicle::STANDING)
            StartRunning();
    }

    if (m_state == RUNNING)
        UpdateProgress();
}

void SIM_ProductionSlot::StartRunning()
{
    SetState(RUNNING);
    if (m_currentSubTask >= 0 && m_currentSubTask < static_cast<int>(m_subTasks.size()))
        m_subTasks[m_currentSubTask]->timer.Start();
    if (m_guiSlot)
        m_guiSlot->StartAnimations();
}

void SIM_ProductionSlot::UpdateProgress()
{
    if (m_currentSubTask < 0 || m_currentSubTask >= static_cast<int>(m_subTasks.size()))
        return;
    SubTask& sub = *m_subTasks[m_currentSubTask];
    sub.timer.SetTimeScale(m_speedMult * GetGameSpeed());
    sub.timer.Update();
    const float denominator = sub.duration + m_addSpeed;
    // A sub-task without a positive duration (no table row, or an upgrade that takes away more
    // time than the task has) completes at once instead of dividing by zero and never finishing.
    if (denominator <= 0.0f)
    {
        m_progress = 0.0f;
        OnSubTaskComplete();
        return;
    }
    float progress = sub.timer.GetTotal() / denominator;
    progress = std::clamp(progress, 0.0f, 1.0f);
    if (progress >= 1.0f)
    {
        m_progress = 0.0f;
        OnSubTaskComplete();
        return;
    }
    m_progress = progress;
}

void SIM_ProductionSlot::ProduceExports()
{
    if (!m_outputStockpile || !m_productionTask)
        return;
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    for (const TaskResourceAmount& product : m_productionTask->m_exports)
    {
        if (!product.resource)
            continue;
        SIM_ResourceObject* object = pool.Allocate();
        if (!object)
        {
            // Every object of the pool is in use: this product is not made.
            SIM_Tile* at = m_outputStockpile->GetTile();
            FV_REPORT_REPEATING("Resource object limit reached...",
                                "for " + product.resource->m_name + " at " +
                                    (at ? std::to_string(at->m_gridX) + "," + std::to_string(at->m_gridY) : "?"),
                                "");
            continue;
        }
        SIM_Tile* tile = m_outputStockpile->GetTile();
        object->Init(product.resource, nullptr, tile ? tile->m_worldX : 0.0f, tile ? tile->m_worldY : 0.0f);
        object->m_state = SIM_ResourceObject::STATE_WAITING;
        m_outputStockpile->AddProduct(object);
    }
}

void SIM_ProductionSlot::ApplyCurrentSubTaskToVehicle(SubTask& sub)
{
    SIM_Vehicle* car = m_vehicle;
    const SIM_ProductionTask* step = sub.task;
    if (!car || !step)
        return;

    // Components: the task's, changed by the upgrades (1 adds a type, -1 keeps one off).
    SIM_VehicleComponentTypeManager& types = SIM_VehicleComponentTypeManager::Instance();
    std::vector<SIM_VehicleComponentType*> fit;
    for (const std::string& name : step->m_components)
        if (SIM_VehicleComponentType* type = types.GetComponentType(name))
            fit.push_back(type);
    std::vector<SIM_VehicleComponentType*> removed;
    for (const SIM_SlotUpgrade* upgrade : m_upgrades)
    {
        if (!upgrade)
            continue;
        for (const SlotUpgradeComponent& pair : upgrade->m_components)
        {
            if (pair.value == 1)
            {
                if (pair.componentType)
                    fit.push_back(pair.componentType);
            }
            else if (pair.value == -1)
            {
                removed.push_back(pair.componentType);
            }
            else
            {
                FV_ERROR_BOX("Only values of - 1 or 1 supported for upgrade components");
            }
        }
    }
    for (SIM_VehicleComponentType* type : fit)
    {
        if (std::find(removed.begin(), removed.end(), type) != removed.end())
            continue;
        car->AddComponent(std::make_unique<SIM_VehicleComponent>(car, type));
    }

    // Features: the task's, then every upgrade's, each with the slot's upgrades as they are now.
    auto record = [&](SIM_VehicleFeature* feature) {
        if (!feature)
            return;
        auto entry = std::make_unique<SIM_VehicleFeatureRecord>();
        entry->feature = feature;
        entry->upgrades = m_upgrades;
        car->AddCompletedTask(std::move(entry));
    };
    SIM_VehicleFeatureManager& features = SIM_VehicleFeatureManager::Instance();
    for (const std::string& name : step->m_features)
        record(features.GetFeature(name));
    for (const SIM_SlotUpgrade* upgrade : m_upgrades)
        if (upgrade)
            for (SIM_VehicleFeature* feature : upgrade->m_features)
                record(feature);

    for (const std::string& name : step->m_subTasksApplied)
        car->AddAppliedTask(name);
}

void SIM_ProductionSlot::OnSubTaskComplete()
{
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    if (m_inputStockpile)
    {
        for (const RequiredResource& entry : m_required)
        {
            if (entry.count <= 0 || !entry.resource)
                continue;
            for (int i = 0; i < entry.count; ++i)
            {
                m_inputStockpile->RemoveStored(entry.resource);
                listener.ShowResourceConsumed(m_anchorTile, entry.resource);
            }
        }
    }

    SubTask* sub = (m_currentSubTask >= 0 && m_currentSubTask < static_cast<int>(m_subTasks.size()))
                       ? m_subTasks[m_currentSubTask].get()
                       : nullptr;
    if (m_productionTask && m_productionTask->m_kind == TASK_COMPONENT)
        ProduceExports();
    else if (m_vehicle && sub)
        ApplyCurrentSubTaskToVehicle(*sub);

    if (m_vehicle && m_productionTask)
    {
        if (m_productionTask->m_name == SIM_DataNames::kTaskPaintUndercoat)
        {
            m_vehicle->SetColor(128, 128, 128, 255);
            if (m_vehicle->GetView())
                m_vehicle->GetView()->ClearCachedSprites();
        }
        else if (m_productionTask->m_name == SIM_DataNames::kTaskPaintFinish)
        {
            const VehicleColor color = GetRandomVehicleColor();
            m_vehicle->SetColor(color.r, color.g, color.b, color.a);
            if (m_vehicle->GetView())
                m_vehicle->GetView()->ClearCachedSprites();
        }
    }

    ++m_currentSubTask;
    if (m_currentSubTask >= static_cast<int>(m_subTasks.size()))
    {
        SetState(m_vehicle ? WAITING_FOR_EXPORT : INSUFFICIENT_RESOURCES);
        m_currentSubTask = 0;
    }
    else
    {
        SetState(INSUFFICIENT_RESOURCES);
    }

    RebuildRequiredResources();
    FV_ASSERT(m_state != RUNNING);
    listener.RefreshSlotTooltip(this);
}

int SIM_ProductionSlot::GetCurrentSubTaskIndex() const
{
    if (m_subTasks.size() < 2)
        return 0;
    if (m_currentSubTask < 0 || m_currentSubTask >= static_cast<int>(m_subTasks.size()))
    {
        FV_ERROR_BOX("Invalid sub task index");
        return -1;
    }
    return m_currentSubTask;
}

void SIM_ProductionSlot::RestoreCurrentSubTask()
{
    m_currentSubTask = 0;
    if (m_vehicle)
    {
        while (m_currentSubTask < static_cast<int>(m_subTasks.size()))
        {
            const SIM_ProductionTask* step = m_subTasks[m_currentSubTask]->task;
            if (!step || !m_vehicle->HasAppliedTask(step->m_name))
                break;
            ++m_currentSubTask;
        }
        if (m_currentSubTask >= static_cast<int>(m_subTasks.size()))
            m_currentSubTask = 0;
    }
    RebuildRequiredResources();
}

void SIM_ProductionSlot::SetCurrentSubTask(int index)
{
    if (index < 0 || index >= static_cast<int>(m_subTasks.size()))
        return;
    m_currentSubTask = index;
    RebuildRequiredResources();
}

void SIM_ProductionSlot::OnVehicleArrived()
{
    FV_ASSERT(m_vehicle != nullptr);
    if (!m_vehicle || !IsConveyor())
        return;
    if (FindNextSlot())
    {
        if (m_isExport)
        {
            ExportVehicle();
        }
        else
        {
            m_vehicle->m_flagNotFound = 0;
            m_vehicle->m_flagNotConnected = 0;
            m_vehicle->m_flagReqsNotMet = 0;
            m_vehicle->UpdateNotice();
            PassVehicleToNextSlot();
        }
        SetState(INSUFFICIENT_VEHICLE);
    }
    else
    {
        SetState(WAITING_FOR_EXPORT);
        m_vehicle->SetState(SIM_Vehicle::MOVING);
    }
}

void SIM_ProductionSlot::PassVehicleToNextSlot()
{
    FV_ASSERT(m_vehicle != nullptr && m_nextSlot != nullptr);
    if (!m_vehicle || !m_nextSlot)
        return;
    SIM_Vehicle* car = m_vehicle;
    car->SetState(SIM_Vehicle::MOVING);
    car->SetSlot(m_nextSlot);
    m_nextSlot->m_vehicle = car;
    SIM_Tile* target = m_nextSlot->m_anchorTile;
    car->StartLeg(target ? target->m_worldX : car->GetX(), target ? target->m_worldY : car->GetY());
    m_vehicle = nullptr;
}

void SIM_ProductionSlot::ExportVehicle()
{
    FV_ASSERT(m_vehicle != nullptr);
    if (!m_vehicle)
        return;
    SIM_Vehicle* car = m_vehicle;
    SIM_CarExporter::Instance().ExportVehicle(car);
    car->SetSlot(nullptr);
    car->SetState(SIM_Vehicle::LEAVING);
    // The car drives off the floor away from the export's face (facing 1 turns 125 degrees).
    static const float kAngles[4] = {45.0f, 125.0f, 225.0f, 315.0f};
    const float degrees = kAngles[(m_facing >= 0 && m_facing <= 3) ? m_facing : 1];
    const float radians = degrees * 3.14159265358979f / 180.0f;
    const float baseX = m_anchorTile ? m_anchorTile->m_worldX : car->GetX();
    const float baseY = m_anchorTile ? m_anchorTile->m_worldY : car->GetY();
    car->StartLeg(baseX + 512.0f * std::sin(radians), baseY - 512.0f * std::cos(radians));
    m_vehicle = nullptr;
}

void SIM_ProductionSlot::Remove(bool silent)
{
    if (m_guiSlot)
        m_guiSlot->ClearPropLinks();
    if (m_inputStockpile)
        m_inputStockpile->Clear();
    if (m_outputStockpile)
        m_outputStockpile->ReleaseAll();
    SIM_PlaceableSlot::Remove(silent);
    m_guiSlot.reset();
    if (m_vehicle)
    {
        SIM_VehicleManager::Instance().DestroyVehicle(m_vehicle);
        m_vehicle = nullptr;
    }
}

// ---- Choosing the next slot for a car ----

namespace
{
// The production slot standing on a tile, or null (no slot, or a facility).
SIM_ProductionSlot* ProductionSlotOnTile(const SIM_Tile* tile)
{
    if (!tile || !tile->m_occupant || tile->m_occupant->IsFacility())
        return nullptr;
    return static_cast<SIM_ProductionSlot*>(tile->m_occupant);
}

SIM_Tile* ProductionSlotNeighbour(const SIM_Tile* tile, int facing, int offset)
{
    SIM_Factory* factory = tile ? tile->m_floor : nullptr;
    if (!factory)
        return nullptr;
    int direction = facing + offset;
    if (direction > 3)
        direction -= 4;
    return factory->GetNeighbourTile(tile, direction);
}
} // namespace

bool SIM_ProductionSlot::NextSlotSearch::Contains(const SIM_ProductionSlot* slot) const
{
    const auto end = m_slots.begin() + m_count;
    return std::find(m_slots.begin(), end, slot) != end;
}

bool SIM_ProductionSlot::NextSlotSearch::Push(const SIM_ProductionSlot* slot)
{
    if (m_count >= kVisitedStackSize)
        return false;
    m_slots[static_cast<size_t>(m_count++)] = slot;
    return true;
}

bool SIM_ProductionSlot::IsExitTile(const SIM_Tile* tile) const
{
    if (!m_productionTask || !tile)
        return false;
    for (int offset : m_productionTask->m_exitDirections)
        if (ProductionSlotNeighbour(m_anchorTile, m_facing, offset) == tile)
            return true;
    return false;
}

bool SIM_ProductionSlot::IsInputTile(const SIM_Tile* tile) const
{
    if (!m_productionTask || !tile)
        return false;
    for (int offset : m_productionTask->m_inputDirections)
        if (ProductionSlotNeighbour(m_anchorTile, m_facing, offset) == tile)
            return true;
    return false;
}

bool SIM_ProductionSlot::FindNextSlot()
{
    NextSlotSearch search;
    return FindNextSlot(search);
}

bool SIM_ProductionSlot::FindNextSlot(NextSlotSearch& search)
{
    SIM_Vehicle* car = m_vehicle;
    FV_ASSERT(car != nullptr);
    m_nextSlot = nullptr;
    if (!car || !m_productionTask)
        return false;

    int best = 1001;
    car->m_flagNotFound = 1;
    car->m_flagNotConnected = 1;
    car->m_flagReqsNotMet = 1;

    for (int offset : m_productionTask->m_exitDirections)
    {
        SIM_Tile* neighbour = ProductionSlotNeighbour(m_anchorTile, m_facing, offset);
        SIM_ProductionSlot* candidate = ProductionSlotOnTile(neighbour);
        if (candidate)
        {
            car->m_flagNotConnected = 0;
            if (candidate->m_vehicle)
            {
                // Occupied: the car simply waits, without a notice.
                car->m_flagNotFound = 0;
                car->m_flagNotConnected = 0;
                car->m_flagReqsNotMet = 0;
            }
            else if (candidate->IsInputTile(m_anchorTile))
            {
                search.Clear();
                if (candidate->CanWorkOnVehicle(car, search))
                {
                    search.Clear();
                    const int score = ScoreExitPath(neighbour, 1000, search);
                    if (score < best)
                    {
                        m_nextSlot = candidate;
                        best = score;
                    }
                }
            }
        }
        if (m_isExport)
            return true;
    }

    car->UpdateNotice();
    return m_nextSlot != nullptr;
}

bool SIM_ProductionSlot::CanWorkOnVehicle(SIM_Vehicle* car, NextSlotSearch& search)
{
    if (!search.Push(this))
        return true;
    if (!m_productionTask || !car)
        return false;

    const bool conveyor = IsConveyor();
    if (m_productionTask->m_kind == TASK_VEHICLE && !conveyor)
    {
        car->m_flagNotFound = 0;
        bool failed = false;
        for (const std::string& name : m_productionTask->m_subTasksRequired)
        {
            if (car->HasAppliedTask(name))
                continue;
            failed = true;
            if (const SIM_ProductionTask* required = SIM_ProductionTaskManager::Instance().GetTask(name))
                car->SetNoticeDetail(required->GetGuiName());
        }
        if (!failed)
        {
            car->m_flagReqsNotMet = 0;
            if (m_productionTask->m_subTasksApplied.empty())
                return true;
            for (const std::string& name : m_productionTask->m_subTasksApplied)
                if (!car->HasAppliedTask(name))
                    return true;
            return false;
        }
    }

    if (!conveyor)
        return false;

    bool result = false;
    for (int offset : m_productionTask->m_exitDirections)
    {
        SIM_Tile* neighbour = ProductionSlotNeighbour(m_anchorTile, m_facing, offset);
        SIM_ProductionSlot* next = ProductionSlotOnTile(neighbour);
        if (!next)
            continue;
        if (search.Contains(next))
        {
            search.Clear();
            return false;
        }
        if (next->IsInputTile(m_anchorTile) && next->CanWorkOnVehicle(car, search))
            result = true;
    }
    search.Clear();
    return result;
}

int SIM_ProductionSlot::ScoreExitPath(SIM_Tile* tile, int score)
{
    NextSlotSearch search;
    return ScoreExitPath(tile, score, search);
}

int SIM_ProductionSlot::ScoreExitPath(SIM_Tile* tile, int score, NextSlotSearch& search)
{
    FV_ASSERT(tile != nullptr);
    SIM_ProductionSlot* slot = ProductionSlotOnTile(tile);
    if (!slot || !slot->m_productionTask)
        return score;
    if (!search.Push(slot))
        return score;

    int best = score;
    for (int offset : slot->m_productionTask->m_exitDirections)
    {
        SIM_Tile* neighbour = ProductionSlotNeighbour(tile, slot->m_facing, offset);
        int candidate = score;
        if (neighbour)
        {
            if (neighbour->m_zoneState == SIM_Tile::ZONE_NONE && slot->m_isExport)
                return 0;
            SIM_ProductionSlot* next = ProductionSlotOnTile(neighbour);
            if (next && !search.Contains(next) && next->IsInputTile(tile))
            {
                if (!next->IsConveyor())
                    candidate = score - (next->m_vehicle ? 500 : 1000);
                else
                    candidate = ScoreExitPath(neighbour, score + (next->m_vehicle ? 2 : 1), search);
            }
        }
        best = std::min(best, candidate);
    }
    return best;
}
