// Helpers shared by the simulation tests: scratch folders and files, and a listener that
// records what the simulation asked of the presentation.
#pragma once
#include "engine/core/GBufferedFileManager.h"
#include "sim/SIM_PresentationListener.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace simtest
{
inline std::string DataPath(const std::string& relative)
{
    return std::string(FV_TEST_DIR) + "/sim/data/" + relative;
}

// A fresh folder under the system's temp folder, removed with the object.
class ScratchDir
{
public:
    ScratchDir()
    {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("fv_simtest_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Writes a file and drops any cached copy so readers see the new text.
    std::string Write(const std::string& name, const std::string& text) const
    {
        const std::string path = File(name);
        std::ofstream(path, std::ios::binary) << text;
        GBufferedFileManager::Instance().Reload(path);
        return path;
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Counts the calls the simulation makes into the presentation.
class RecordingListener : public SIM_PresentationListener
{
public:
    std::vector<std::string> calls;
    std::vector<SIM_Tile*> sparkles;
    std::vector<std::string> sounds;

    void ShowLoadingStage(const char* textKey, float) override { calls.push_back(std::string("stage:") + textKey); }
    void LoadAnimations() override { calls.push_back("animations"); }
    void InitCarSpriteCache() override { calls.push_back("carcache"); }
    void InitFactoryView() override { calls.push_back("view"); }
    void ComputeCameraMinZoom() override { calls.push_back("zoom"); }
    void RestartAutosaveTimer() override { calls.push_back("autosave-restart"); }
    void CheckAutosave() override { ++autosaveChecks; }
    void ClearFactoryView() override { calls.push_back("view-clear"); }
    void RefreshFinanceDialog() override { ++financeRefreshes; }
    void SyncSpeedButtons() override { ++speedSyncs; }
    void RetintPotentialSiteMarkers() override { ++markerRetints; }
    void SpawnSlotPlaceParticles(SIM_Tile* tile) override { sparkles.push_back(tile); }
    void PlayEffectSound(const char* name) override { sounds.push_back(name); }

    int autosaveChecks = 0;
    int financeRefreshes = 0;
    int speedSyncs = 0;
    int markerRetints = 0;
};
}
