// A placed facility (research office, power plant and the like): a slot that runs a timed work
// cycle in real time, defined by a facility file.
#pragma once
#include <memory>

#include "engine/core/GTimer.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/views/SIM_SlotView.h"

class SIM_FacilityTask;

class SIM_FacilitySlot : public SIM_PlaceableSlot
{
public:
    SIM_FacilitySlot();
    ~SIM_FacilitySlot() override;

    void Update() override;
    void Remove(bool silent) override;
    SIM_SlotView* GetGuiSlot() const override;
    // Stores the task, takes its process time, restarts the cycle, hires the staff, refreshes the view.
    virtual void SetTask(SIM_FacilityTask* task);
    void AssignTask(SIM_BaseTask* task) override;
    void ApplyTask() override;

    // The view hands its facility object over; the slot owns it from then on.
    void SetGuiFacility(SIM_SlotView* view);
    // The number value of a key of the facility file's task section; 0 when absent.
    float GetTaskNumber(const char* key) const;

protected:
    // One finished work cycle: a research office adds its points to the selected research.
    virtual void CompleteCycle();

    std::unique_ptr<SIM_SlotView> m_guiFacility; // null headless
    SIM_FacilityTask* m_facilityTask = nullptr;
    GTimer m_cycleTimer;
    float m_processTime = 0.0f;
};
