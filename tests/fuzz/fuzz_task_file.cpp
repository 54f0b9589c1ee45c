// fuzz-links: fv_sim
// fuzz-long-inputs: 65536
// Feeds arbitrary bytes to the production task loader as a task file (and, after a zero byte,
// as tasks.csv), then runs the whole task load: tiles, props, staff, upgrades, table, sort, combine.
#include "engine/core/GBufferedFileManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"

#include "FuzzScratchFile.h"
#include "tests/support/FreshState.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

static std::string FuzzTaskFileRoot()
{
    static const FuzzScratchFolder folder("fv_fuzz_tasks_");
    static const std::string root = [] {
        const std::filesystem::path dir = folder.path;
        std::filesystem::create_directories(dir / "tasks");
        // Prop types and resources for the names a task file may use (run from the repo root).
        SIM_PropTypeManager::Instance().Load("tests/sim/data/defs/basic");
        SIM_ResourceManager::Instance().Load("tests/sim/data/defs/basic");
        return dir.string();
    }();
    return root;
}

static void FuzzTaskFileWrite(const std::string& path, const uint8_t* data, size_t size)
{
    if (FILE* file = std::fopen(path.c_str(), "wb"))
    {
        if (size > 0)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string root = FuzzTaskFileRoot();
    size_t split = 0;
    while (split < size && data[split] != 0)
        ++split;
    FuzzTaskFileWrite(root + "/tasks/fuzz.ini", data, split);
    const size_t tableStart = split < size ? split + 1 : size;
    FuzzTaskFileWrite(root + "/tasks/tasks.csv", data + tableStart, size - tableStart);
    FreshState::Forget<GBufferedFileManager>();

    SIM_ProductionTask single;
    single.Load(root + "/tasks/fuzz.ini");
    single.SetDefaultFloorTexture("floor.dds");

    SIM_ProductionTaskManager::Instance().Load(root);
    FreshState::Forget<SIM_ProductionTaskManager>();
    return 0;
}
