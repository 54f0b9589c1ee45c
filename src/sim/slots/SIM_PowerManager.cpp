// The factory's power account and the purchase of shortfalls.
#include "sim/slots/SIM_PowerManager.h"
#include "engine/core/GLifetime.h"
#include "sim/definitions/SIM_DataNames.h"

#include <algorithm>

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Factory.h"

SIM_PowerManager& SIM_PowerManager::Instance()
{
    return GLifetime::Get<SIM_PowerManager>();
}

void SIM_PowerManager::Init()
{
    m_secondAccumulator = 0.0f;
    m_shortfallSeconds = 0;
    m_accumulatedPrice = 0.0f;
    m_production = 0.0f;
    m_demand = 0.0f;
    const SIM_ProductionTask* conveyor =
        SIM_ProductionTaskManager::Instance().GetTask(SIM_DataNames::kTaskResourceConveyor);
    FV_ASSERT(conveyor != nullptr);
    m_conveyorDraw = conveyor ? conveyor->m_powerDemand : 0.0f;
    m_baseCost = SIM_SimConfig::GetFloat("POWER_BASE_COST");
}

void SIM_PowerManager::RegisterPlant(SIM_PowerplantSlot* plant)
{
    m_plants.push_back(plant);
}

void SIM_PowerManager::UnregisterPlant(SIM_PowerplantSlot* plant)
{
    m_plants.erase(std::remove(m_plants.begin(), m_plants.end(), plant), m_plants.end());
}

void SIM_PowerManager::Process(float frameMs, const SIM_Factory* floor)
{
    float production = 0.0f;
    for (const SIM_PowerplantSlot* plant : m_plants)
        production += plant->GetPowerOutput() * plant->GetPowerProductionMultiplier();

    float demand = 0.0f;
    for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        const float draw = slot->GetPowerDraw();
        demand += slot->IsBusy() ? draw : 0.25f * draw;
    }
    // Every piece that carries an object draws the same: added once per piece, as a walk over
    // the pieces would, without walking the whole floor's pieces each frame.
    const uint32_t carrying = SIM_ResourceConveyorManager::Instance().CarryingCount();
    for (uint32_t i = 0; i < carrying; ++i)
        demand += m_conveyorDraw;
    if (floor)
        demand += static_cast<float>(floor->GetZoneTileCount());

    m_production = production;
    m_demand = demand;

    m_secondAccumulator += frameMs;
    while (m_secondAccumulator > 1000.0f)
    {
        m_secondAccumulator -= 1000.0f;
        ChargeSecond();
    }

    if (!SIM_Presentation::Instance().HasListener())
        return;
    const float shownProduction = m_production;
    const float shownDemand = m_demand;
    SIM_Presentation::Instance().Post([shownProduction, shownDemand] {
        SIM_Presentation::Instance().Listener().UpdatePowerGauge(shownProduction, shownDemand);
    });
}

void SIM_PowerManager::ChargeSecond()
{
    if (m_production < m_demand)
    {
        ++m_shortfallSeconds;
        m_accumulatedPrice += m_baseCost * (m_demand - m_production);
    }
    if (m_shortfallSeconds > 10)
    {
        // One payment through the finance manager: cash and ledger change together, safe against
        // the sales paid on the main thread in the same frame.
        SIM_FinanceManager::Instance().Pay(m_accumulatedPrice, FC_POWER_PURCHASE);
        m_accumulatedPrice = 0.0f;
        m_shortfallSeconds = 0;
    }
}
