// Slot upgrade definitions: reading and descriptions.
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "engine/core/GTextKeys.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/views/SIM_TextBlock.h"

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
