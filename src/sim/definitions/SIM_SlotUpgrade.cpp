// Slot upgrade definitions: reading, descriptions, buying and placing their props.
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "engine/core/GTextKeys.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/definitions/TaskTileDef.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/views/SIM_TextBlock.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <cmath>
#include <cstdio>

int ParseUpgradeEffectType(const std::string& text)
{
    static const char* const names[] = {"SU_SPEED",     "SU_POWERUSE",  "SU_QUALITY",  "SU_PROP",
                                        "SU_POWERPROD", "SU_ABS_SPEED", "SU_ABS_POWER"};
    for (int i = 0; i < 7; ++i)
        if (text == names[i])
            return i;
    return SU_NONE;
}

void SIM_SlotUpgrade::Load(const std::string& path)
{
    IniLoader names;
    names.LoadSectionNames(path);
    IniLoader section;
    for (const std::string& sectionName : names.GetSectionNames())
    {
        section.Load(sectionName, path);
        if (sectionName == "config")
        {
            m_name = section.GetValue("name");
            m_guiName = section.GetValue("guiname");
            m_texture = section.GetValue("texture");
            m_cost = section.GetFloat("cost");
            continue;
        }
        if (sectionName.find("prop") != std::string::npos)
        {
            SlotUpgradeProp prop;
            const int offset = section.GetInt("offset");
            prop.position = offset < 0 ? 0 : (offset > 15 ? 15 : offset);
            const std::string& typeName = section.GetValue("type");
            prop.propType = SIM_PropTypeManager::Instance().GetPropType(typeName);
            prop.facing = section.GetInt("facing");
            prop.XOffset = section.GetInt("XOffset");
            prop.YOffset = section.GetInt("YOffset");
            if (prop.propType)
                m_props.push_back(prop);
            else
                GDebugLog::Instance().LogError(
                    FormatString("Missing Prop Type:[%s] in %s", typeName.c_str(), path.c_str()));
        }
        else if (sectionName.find("feature") != std::string::npos)
        {
            // The feature manager reports a missing name itself.
            if (SIM_VehicleFeature* feature =
                    SIM_VehicleFeatureManager::Instance().GetFeature(section.GetValue("name")))
                m_features.push_back(feature);
            continue;
        }
        else if (sectionName == "resources")
        {
            for (const IniPair& pair : section.GetPairs())
            {
                // A pair without a resource would reach the slot's needs as a null; the lookup
                // reports the name and the pair is left out.
                if (SIM_Resource* resource = SIM_ResourceManager::Instance().GetResource(pair.key))
                    m_resources.push_back(SlotUpgradeResource{
                        resource, GNumberText::ReadInt(pair.value, path + " [resources] " + pair.key)});
            }
        }
        else if (sectionName == "components")
        {
            for (const IniPair& pair : section.GetPairs())
            {
                GStringTokenizer fields(pair.value.empty() ? pair.key : pair.value, ',');
                const std::string typeName = fields.GetString();
                const int value = fields.GetInt();
                SIM_VehicleComponentType* type = SIM_VehicleComponentTypeManager::Instance().GetComponentType(typeName);
                // A null type would be fitted to cars later; it is left out with a report.
                if (!type)
                {
                    DebugAssert(false, "SIM_SlotUpgrade", 258);
                    GDebugLog::Instance().LogError(
                        FormatString("Missing Component Type:[%s] in %s", typeName.c_str(), path.c_str()));
                    continue;
                }
                m_components.push_back(SlotUpgradeComponent{type, value});
            }
        }
        // Every section but the configuration and the features also describes one effect.
        SlotUpgradeEffect effect;
        effect.value = section.GetFloat("value");
        effect.type = ParseUpgradeEffectType(section.GetValue("type"));
        m_effects.push_back(effect);
    }
    LinkResearch();
}

void SIM_SlotUpgrade::LinkResearch()
{
    m_research = SIM_ResearchManager::Instance().FindUnlockingResearch(m_name);
    DebugAssert(m_research != nullptr, "SIM_SlotUpgrade", 284);
}

bool SIM_SlotUpgrade::IsAvailable() const
{
    return m_research && m_research->IsComplete();
}

std::string SIM_SlotUpgrade::GetEffectText(const SlotUpgradeEffect& effect) const
{
    const std::string label = (effect.type >= 0 && effect.type < 7)
                                  ? GTextTable::GetText(GTextKeys::kUpgradeEffects[effect.type])
                                  : std::string();
    const char sign = effect.value > 0.0f ? '+' : '-';
    const double magnitude = std::fabs(static_cast<double>(effect.value));
    char text[256];
    switch (effect.type)
    {
    case SU_SPEED:
    case SU_POWERUSE:
    case SU_QUALITY:
    case SU_POWERPROD:
        std::snprintf(text, sizeof text, "%s: (%c%.2f%%)", label.c_str(), sign, magnitude * 100.0);
        break;
    case SU_ABS_SPEED:
        std::snprintf(text, sizeof text, "%s: (%c%.2f %s)", label.c_str(), sign, magnitude / 1000.0,
                      GTextTable::GetText(GTextKeys::kUpgradeSeconds).c_str());
        break;
    default:
        std::snprintf(text, sizeof text, "%s: (%c%.2f)", label.c_str(), sign, magnitude);
        break;
    }
    return text;
}

void SIM_SlotUpgrade::AddDescriptionLines(SIM_TextBlock& block) const
{
    for (const SlotUpgradeEffect& effect : m_effects)
        if (effect.type != SU_PROP && effect.type >= SU_SPEED && effect.type <= SU_ABS_POWER)
            block.AppendLine(GetEffectText(effect));
    for (const SIM_VehicleFeature* feature : m_features)
        block.AppendLine(feature->GetGUIName());
}

void SIM_SlotUpgrade::PurchaseForSlot(SIM_PlaceableSlot* slot)
{
    if (!slot)
        return;
    slot->GetUpgrades().push_back(this);
    // The payment rule books the price under the current hour as capital investment, refreshes
    // the cash text and ends the game when the cash is used up.
    SIM_FinanceManager::Instance().Pay(m_cost, FC_CAPITAL_INVESTMENT);
    if (!m_props.empty())
        PlaceProps(slot);
    slot->RecalculateUpgradeEffects();
    if (slot->IsFacility())
        return;
    // A production slot now needs what the upgrade adds; its input stockpile lets go of what
    // it no longer needs.
    SIM_ProductionSlot* production = dynamic_cast<SIM_ProductionSlot*>(slot);
    if (!production)
        return;
    production->RebuildRequiredResources();
    if (SIM_ResourceStockpile* input = production->GetInputStockpile())
    {
        input->TrimToNeeds();
        SIM_Presentation::Instance().Listener().OnSlotUpgradePurchased(slot);
    }
}

void SIM_SlotUpgrade::PlaceProps(SIM_PlaceableSlot* slot)
{
    SIM_Tile* anchor = slot ? slot->GetTile() : nullptr;
    DebugAssert(anchor != nullptr, "SIM_SlotUpgrade", 336);
    if (!anchor)
        return;
    SIM_PresentationListener& view = SIM_Presentation::Instance().Listener();
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    for (const SlotUpgradeProp& prop : m_props)
    {
        int dx = 0;
        int dy = 0;
        RotateTileOffset(slot->GetFacing(), prop.XOffset, prop.YOffset, dx, dy);
        SIM_Tile* tile = factory ? factory->GetTile(anchor->m_gridX + dx, anchor->m_gridY + dy) : nullptr;
        // A prop off the floor has no tile to stand on; it is reported and left out.
        DebugAssert(tile != nullptr, "SIM_SlotUpgrade", 356);
        if (!tile)
            continue;
        view.AddUpgradeProp(tile, prop, slot->GetFacing());
    }
    view.RebuildSlotAnimatedProps(slot);
}
