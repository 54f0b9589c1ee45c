// The efficiency history sampled from the production slots.
#include "sim/slots/SIM_Efficiency.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SlotQueries.h"
#include "sim/views/SIM_SlotView.h"

#include <algorithm>

SIM_Efficiency& SIM_Efficiency::Instance()
{
    return GLifetime::Get<SIM_Efficiency>();
}

SIM_Efficiency::SIM_Efficiency() = default;

void SIM_Efficiency::Reset(float now)
{
    lastSampleTime = now;
    for (auto& s : samples)
        s.valid = 0;
}

void SIM_Efficiency::Update(float now)
{
    if (now - lastSampleTime > SAMPLE_INTERVAL_MS)
    {
        lastSampleTime = now;
        ShiftSamples();
        TakeSample(now);
        SIM_Presentation::Instance().Listener().RefreshEfficiencyWindow();
    }
}

void SIM_Efficiency::ShiftSamples()
{
    for (int i = NUM_SAMPLES - 1; i >= 1; --i)
        samples[i] = samples[i - 1];
}

bool SIM_Efficiency::CountsInSample(const SIM_PlaceableSlot* slot)
{
    if (!slot || slot->IsFacility())
        return false;
    const SIM_BaseTask* task = slot->GetTask();
    if (task && task->IsConveyor())
        return false;
    // A slot whose view is still being placed does not count yet. Without any view (a game run
    // with no screen) every placed production slot counts.
    const SIM_SlotView* view = slot->GetGuiSlot();
    return !view || view->HasMainTile();
}

void SIM_Efficiency::TakeSample(float now)
{
    Sample& sample = samples[0];
    std::fill(sample.shares, sample.shares + NUM_STATES, 0.0f);
    float n = 0.0f;
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        if (!CountsInSample(slot))
            continue;
        n += 1.0f;
        SIM_SlotStateHistory* history = slot->GetStateHistory();
        DebugAssert(history != nullptr, "SIM_Efficiency", 116);
        if (!history)
            continue;
        // One walk over the slot's history gives all seven shares.
        float shares[NUM_STATES];
        history->GetStateFractions(shares, NUM_STATES, SAMPLE_INTERVAL_MS, now);
        for (int s = 0; s < NUM_STATES; ++s)
            sample.shares[s] += shares[s];
    }
    for (int s = 0; s < NUM_STATES; ++s)
    {
        if (n > 0.0f)
        {
            sample.shares[s] /= n;
            DebugAssert(sample.shares[s] >= 0.0f && sample.shares[s] <= 1.0f, "SIM_Efficiency", 133);
        }
        else
        {
            sample.shares[s] = 0.0f;
        }
    }
    sample.valid = 1;
    sample.time = now;
}
