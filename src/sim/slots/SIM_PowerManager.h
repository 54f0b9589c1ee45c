// The factory's power account: each frame it sums what the power plants produce and what the
// slots, running conveyors and floor draw; shortfalls are bought, paid every 11th short second.
#pragma once
#include <cstdint>
#include <vector>

class SIM_Factory;
class SIM_PowerplantSlot;

class SIM_PowerManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_PowerManager& Instance();
    virtual ~SIM_PowerManager() = default;

    // Game start: counters 0, conveyor draw and base cost from the data.
    void Init();
    // The power job, for a step of frameMs game ms on the floor (which draws for its open tiles):
    // sums production and demand, charges each simulated second.
    void Process(float frameMs, const SIM_Factory* floor);
    // One simulated second: a shortfall adds to the price; past 10 short seconds it is paid.
    void ChargeSecond();

    void RegisterPlant(SIM_PowerplantSlot* plant);
    void UnregisterPlant(SIM_PowerplantSlot* plant);

    float GetProduction() const { return m_production; }
    float GetDemand() const { return m_demand; }
    float GetBaseCost() const { return m_baseCost; }
    int GetShortfallSeconds() const { return m_shortfallSeconds; }
    float GetAccumulatedPrice() const { return m_accumulatedPrice; }

private:
    SIM_PowerManager() = default;

    std::vector<SIM_PowerplantSlot*> m_plants;
    float m_production = 0.0f;
    float m_demand = 0.0f;
    float m_conveyorDraw = 0.0f;
    float m_secondAccumulator = 0.0f;
    float m_baseCost = 0.0f;
    int32_t m_shortfallSeconds = 0;
    float m_accumulatedPrice = 0.0f;
};
