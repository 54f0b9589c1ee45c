// Loading and clearing of the definition test tree for the definition tests.
#include "tests/sim/DefsTestData.h"

#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "engine/core/GTextTable.h"
#include "sim/definitions/SIM_DefinitionTree.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "tests/support/FreshState.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

static std::string DefsTestLogFolder()
{
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() / ("fv_defs_" + std::to_string(getpid()))).string();
        GDebugLog::Instance().Open(path);
        return path;
    }();
    return folder;
}

static long DefsTestErrorSize()
{
    std::error_code error;
    const auto size = std::filesystem::file_size(GDebugLog::Instance().GetErrorPath(), error);
    return error ? 0 : static_cast<long>(size);
}

std::string DefsTestData::Root(const std::string& set)
{
    return std::string(FV_SOURCE_DIR) + "/tests/sim/data/defs/" + set;
}

void DefsTestData::SetUp()
{
    DefsTestLogFolder();
    m_errorStart = DefsTestErrorSize();
    FreshState::Forget<GBufferedFileManager>();
    GRandom::Init();
}

void DefsTestData::TearDown()
{
    ClearAll();
}

void DefsTestData::LoadAll(const std::string& root, const std::string& textFolder)
{
    const std::string texts = textFolder.empty() ? root : textFolder;
    GTextTable::Instance().SetFileName(texts + "/strings.ini");
    GTextTable::Instance().Unload();
    SIM_SimConfig::UseFile(texts + "/simconfig.txt");
    LoadDefinitionTree(root);
}

void DefsTestData::ClearAll()
{
    FreshState::Forget<SIM_VehicleDesignManager>();
    FreshState::Forget<SIM_FacilityManager>();
    FreshState::Forget<SIM_ProductionTaskManager>();
    FreshState::Forget<SIM_SlotUpgradeManager>();
    FreshState::Forget<SIM_VehicleComponentTypeManager>();
    FreshState::Forget<SIM_ResearchManager>();
    FreshState::Forget<SIM_VehicleFeatureManager>();
    FreshState::Forget<SIM_ResourceManager>();
    FreshState::Forget<SIM_PropTypeManager>();
    SIM_GlobalFactoryVariables::Instance().m_globalUpgrades.clear();
    SIM_GlobalFactoryVariables::Instance().Recalculate();
}

std::string DefsTestData::NewErrors() const
{
    std::ifstream in(GDebugLog::Instance().GetErrorPath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    return static_cast<long>(all.size()) > m_errorStart ? all.substr(static_cast<size_t>(m_errorStart)) : std::string();
}
