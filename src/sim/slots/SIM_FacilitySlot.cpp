// A placed facility and its timed work cycle (research offices earn research points).
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/definitions/SIM_DataNames.h"

#include <cstdlib>
#include <string>

#include "engine/core/GDebugLog.h"
#include "engine/core/IniLoader.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/views/SIM_SlotView.h"

SIM_FacilitySlot::SIM_FacilitySlot()
{
    m_facilityFlag = 1;
}

SIM_FacilitySlot::~SIM_FacilitySlot() = default;

void SIM_FacilitySlot::SetTask(SIM_FacilityTask* task)
{
    FV_ASSERT(task != nullptr);
    if (!task)
        return;
    m_task = task;
    m_facilityTask = task;
    m_processTime = task->m_processTime;
    m_cycleTimer.Start();
    CreateStaff();
    // Headless there is no facility view to refresh.
    if (m_guiFacility)
        m_guiFacility->Refresh();
}

void SIM_FacilitySlot::AssignTask(SIM_BaseTask* task)
{
    m_task = task;
    m_facilityTask = static_cast<SIM_FacilityTask*>(task);
}

void SIM_FacilitySlot::ApplyTask()
{
    SetTask(m_facilityTask);
}

void SIM_FacilitySlot::SetGuiFacility(SIM_SlotView* view)
{
    if (view != m_guiFacility.get())
        m_guiFacility.reset(view);
}

void SIM_FacilitySlot::Update()
{
    // The work cycle runs in real time, whatever the game speed.
    m_cycleTimer.SetTimeScale(1.0f);
    m_cycleTimer.Update();
    if (m_cycleTimer.GetTotal() > m_processTime)
    {
        m_cycleTimer.Start();
        CompleteCycle();
    }
}

void SIM_FacilitySlot::CompleteCycle()
{
    if (!m_facilityTask || m_facilityTask->m_name != SIM_DataNames::kFacResearchOffice)
        return;
    SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    if (research.GetCurrentResearch())
    {
        const float points = GetTaskNumber(SIM_DataNames::kKeyResearchPoints);
        research.AddResearchPoints(GetGameSpeed() * points);
    }
    SetBusy(research.GetCurrentResearch() != nullptr);
}

float SIM_FacilitySlot::GetTaskNumber(const char* key) const
{
    if (!m_facilityTask || !m_facilityTask->m_taskSection)
        return 0.0f;
    const IniLoader& section = m_facilityTask->GetTaskSection();
    if (!section.HasKey(key))
        return 0.0f;
    return static_cast<float>(std::strtod(section.GetValue(key).c_str(), nullptr));
}

void SIM_FacilitySlot::Remove(bool silent)
{
    SIM_PlaceableSlot::Remove(silent);
    m_guiFacility.reset();
}

SIM_SlotView* SIM_FacilitySlot::GetGuiSlot() const
{
    return m_guiFacility.get();
}
