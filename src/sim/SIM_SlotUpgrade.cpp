// Slot upgrade definitions: reading, descriptions, buying and placing their props.
#include "sim/SIM_SlotUpgrade.h"

#include "sim/SIM_ResearchManager.h"
#include "sim/SIM_Researchable.h"
#include "sim/SIM_TextBlock.h"

int ParseUpgradeEffectType(const std::string& text)
{
    static const char* const names[] = {"SU_SPEED", "SU_POWERUSE", "SU_QUALITY", "SU_PROP",
                                        "SU_POWERPROD", "SU_ABS_SPEED", "SU_ABS_POWER"};
    for (int i = 0; i < 7; ++i)
        if (text == names[i])
            return i;
    return SU_NONE;
}

void SIM_SlotUpgrade::Load(const std::string& path)
{
    (void)path;
    LinkResearch();
}

void SIM_SlotUpgrade::LinkResearch()
{
    m_research = SIM_ResearchManager::Instance().FindUnlockingResearch(m_name);
}

bool SIM_SlotUpgrade::IsAvailable() const
{
    return m_research && m_research->IsComplete();
}

std::string SIM_SlotUpgrade::GetEffectText(const SlotUpgradeEffect& effect) const
{
    (void)effect;
    return std::string();
}

void SIM_SlotUpgrade::AddDescriptionLines(SIM_TextBlock& block) const
{
    (void)block;
}

void SIM_SlotUpgrade::PurchaseForSlot(SIM_PlaceableSlot* slot)
{
    (void)slot;
}

void SIM_SlotUpgrade::PlaceProps(SIM_PlaceableSlot* slot)
{
    (void)slot;
}
