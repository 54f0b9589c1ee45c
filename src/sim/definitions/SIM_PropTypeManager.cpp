// The prop type registry, in file order.
#include "sim/definitions/SIM_PropTypeManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/Spreadsheet.h"
#include "sim/definitions/SIM_Prop.h"

SIM_PropTypeManager& SIM_PropTypeManager::Instance()
{
    return GLifetime::Get<SIM_PropTypeManager>();
}

SIM_PropTypeManager::~SIM_PropTypeManager()
{
    Clear();
}

void SIM_PropTypeManager::Clear()
{
    m_props.Clear();
}

void SIM_PropTypeManager::Load(const std::string& root)
{
    Clear();
    Spreadsheet table(root + "/props/props.csv");
    for (const std::string& row : table.GetRows())
    {
        auto prop = std::make_unique<SIM_Prop>();
        if (!prop->LoadFromRow(row))
        {
            GDebugLog::Instance().LogError("props.csv row without a name skipped");
            continue;
        }
        m_props.Add(std::move(prop));
    }
}

SIM_Prop* SIM_PropTypeManager::GetPropType(const std::string& name) const
{
    return m_props.Find(name);
}
