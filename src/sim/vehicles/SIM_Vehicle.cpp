// A car on the factory floor: what it carries, where it goes, and its notice.
#include "sim/vehicles/SIM_Vehicle.h"

#include <algorithm>

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_RepeatLog.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/vehicles/SIM_VehicleHolder.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/views/SIM_CarNotice.h"
#include "sim/views/SIM_CarView.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

SIM_Vehicle::SIM_Vehicle()
{
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    m_view.reset(listener.CreateCarView(this));
    m_notice.reset(listener.CreateCarNotice(this));
}

SIM_Vehicle::~SIM_Vehicle()
{
    // Views belong to the main thread: a car that goes inside the vehicles job hands them over
    // to be deleted after the wait.
    const bool worker = SIM_VehicleManager::InVehicleJob();
    m_components.clear();
    SIM_Presentation::Instance().DeleteOnMainThread(std::move(m_notice), worker);
    SIM_Presentation::Instance().DeleteOnMainThread(std::move(m_view), worker);
    // Windows that show the car close before anything draws them again.
    if (!SIM_Presentation::Instance().HasListener())
        return;
    SIM_Vehicle* self = this;
    if (worker)
        SIM_Presentation::Instance().Post([self] { SIM_Presentation::Instance().Listener().VehicleGone(self); });
    else
        SIM_Presentation::Instance().Listener().VehicleGone(self);
}

SIM_ProductionSlot* SIM_Vehicle::GetSlot() const
{
    return m_slot ? m_slot->AsProductionSlot() : nullptr;
}

void SIM_Vehicle::AddComponent(std::unique_ptr<SIM_VehicleComponent> component)
{
    if (!component)
        return;
    for (const auto& fitted : m_components)
        if (fitted->GetType() == component->GetType())
            return;
    m_components.push_back(std::move(component));
    std::stable_sort(
        m_components.begin(), m_components.end(),
        [](const std::unique_ptr<SIM_VehicleComponent>& a, const std::unique_ptr<SIM_VehicleComponent>& b) {
            const int za = a->GetType() ? a->GetType()->m_zOrder : 0;
            const int zb = b->GetType() ? b->GetType()->m_zOrder : 0;
            return za < zb;
        });
    if (m_view)
        m_view->ClearCachedSprites();
}

void SIM_Vehicle::SetColor(int r, int g, int b, int a)
{
    m_color[0] = r;
    m_color[1] = g;
    m_color[2] = b;
    m_color[3] = a;
    for (const auto& component : m_components)
        component->SetColor(r, g, b, a);
}

bool SIM_Vehicle::HasCompletedTask(const std::string& featureName) const
{
    for (const auto& record : m_featureRecords)
        if (record->feature && record->feature->m_name == featureName)
            return true;
    return false;
}

void SIM_Vehicle::AddCompletedTask(std::unique_ptr<SIM_VehicleFeatureRecord> record)
{
    if (!record || !record->feature || HasCompletedTask(record->feature->m_name))
        return;
    m_featureRecords.push_back(std::move(record));
    if (SIM_VehicleManager::InVehicleJob())
    {
        SIM_Vehicle* self = this;
        SIM_Presentation::Instance().Post(
            [self] { SIM_Presentation::Instance().Listener().RefreshVehicleDetails(self); });
        return;
    }
    SIM_Presentation::Instance().Listener().RefreshVehicleDetails(this);
}

void SIM_Vehicle::CalculateCosts()
{
    for (float& cost : m_costs)
        cost = 0.0f;
    for (const auto& record : m_featureRecords)
        if (record->feature)
            m_costs[0] += record->feature->m_value;
    m_costs[3] = m_costs[0] + m_costs[1] + m_costs[2];
}

void SIM_Vehicle::UpdateNotice()
{
    int kind = SIM_CarNotice::NONE;
    if (m_flagNotConnected)
        kind = SIM_CarNotice::NEXT_SLOT_NOT_CONNECTED;
    else if (m_flagNotFound)
        kind = SIM_CarNotice::NEXT_SLOT_NOT_FOUND;
    else if (m_flagReqsNotMet)
        kind = SIM_CarNotice::NEXT_SLOT_REQS_NOT_MET;
    if (kind == m_noticeKind)
        return;
    m_noticeKind = kind;
    if (!m_notice)
        return;
    if (SIM_VehicleManager::InVehicleJob())
    {
        // The notice is drawn text: the main thread rebuilds it after the wait.
        // Posted effects run in order, so this runs before a deletion of the notice posted later.
        SIM_CarNotice* notice = m_notice.get();
        const std::string detail = m_noticeDetail;
        SIM_Presentation::Instance().Post([notice, kind, detail] { notice->UpdateText(kind, detail); });
    }
    else
    {
        m_notice->UpdateText(kind, m_noticeDetail);
    }
}

bool SIM_Vehicle::HasAppliedTask(const std::string& taskName) const
{
    return std::find(m_appliedTasks.begin(), m_appliedTasks.end(), taskName) != m_appliedTasks.end();
}

void SIM_Vehicle::AddAppliedTask(const std::string& taskName)
{
    m_appliedTasks.push_back(taskName);
}

void SIM_Vehicle::StartLeg(float targetX, float targetY)
{
    m_startX = m_x;
    m_startY = m_y;
    m_targetX = targetX;
    m_targetY = targetY;
    m_legTime = 0.0f;
}

void SIM_Vehicle::RestoreLeg(float startX, float startY, float targetX, float targetY, float legMs)
{
    m_startX = startX;
    m_startY = startY;
    m_targetX = targetX;
    m_targetY = targetY;
    m_legTime = legMs;
}

void SIM_Vehicle::MoveStep(float frameMs, float conveyorSpeed, const SIM_Factory* floor)
{
    m_legTime += frameMs;
    m_moving = 0;
    const float legMs = conveyorSpeed > 0.0f ? 1000.0f / conveyorSpeed : 0.0f;
    // A conveyor speed of zero or less would never end the leg (or divide by zero): arrive.
    const float t = legMs > 0.0f ? m_legTime / legMs : 1.0f;
    if (t < 1.0f)
    {
        m_moving = 1;
        m_x = m_startX + (m_targetX - m_startX) * t;
        m_y = m_startY + (m_targetY - m_startY) * t;
        return;
    }
    m_x = m_startX = m_targetX;
    m_y = m_startY = m_targetY;
    m_state = STANDING;

    SIM_Tile* tile = floor ? floor->GetTileAtWorldPos(m_x, m_y) : nullptr;
    SIM_PlaceableSlot* occupant = tile ? tile->m_occupant : nullptr;
    SIM_VehicleHolder* station = occupant ? occupant->AsVehicleHolder() : nullptr;
    if (!station)
    {
        // Nothing to hand the car to: it stays standing where it is.
        FV_REPORT_REPEATING("Car arrived on a tile without a production slot", "", "");
        return;
    }
    station->OnVehicleArrived();
}

void SIM_Vehicle::LeaveStep(float frameMs)
{
    m_legTime += frameMs;
    const float t = m_legTime / 1000.0f;
    if (t < 1.0f)
    {
        m_x = m_startX + (m_targetX - m_startX) * t;
        m_y = m_startY + (m_targetY - m_startY) * t;
        return;
    }
    m_x = m_targetX;
    m_y = m_targetY;
    m_state = GONE;
}
