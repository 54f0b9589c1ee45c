// Effects by name: loading from data/shaders, lookups, compile failures and Begin/End.
#include "RenderTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GUI_ShaderManager.h"

#include <algorithm>

using ShaderTest = RecordingRenderTest;

TEST_F(ShaderTest, WithoutPixelShadersNoEffectLoads)
{
    m_rec->caps.pixelShaderVersion = PShaderVersion(1, 4);
    ASSERT_TRUE(InitDevice());
    GUI_ShaderManager& m = GUI_ShaderManager::Instance();
    m.LoadAll();
    EXPECT_TRUE(m_rec->Calls("CreateEffect").empty());
    EXPECT_EQ(m.FindShader("overlay.fx"), nullptr);
    const auto errors = ErrorMessages();
    EXPECT_NE(std::find(errors.begin(), errors.end(), "Shader not found: overlay.fx"), errors.end());
}

TEST_F(ShaderTest, TheGamesEffectsLoadAndAreFoundByExactName)
{
    ASSERT_TRUE(InitDevice());
    GUI_ShaderManager& m = GUI_ShaderManager::Instance();
    m.LoadAll();
    EXPECT_EQ(m.GetCount(), 3);
    for (const char* name : {"overlay.fx", "conveyor_mode.fx", "highlight_sprite.fx"})
    {
        GShaderEffect* effect = m.FindShader(name);
        ASSERT_NE(effect, nullptr) << name;
        EXPECT_EQ(effect->GetName(), name);
        EXPECT_NE(effect->GetEffect(), nullptr) << name;
    }
    EXPECT_EQ(m.FindShader("Highlight_Sprite.fx"), nullptr);
    // Loading again replaces (and releases) the earlier set.
    m.LoadAll();
    EXPECT_EQ(m.GetCount(), 3);
    size_t released = 0;
    for (const std::string& line : m_rec->log)
        if (line.find(" Release") != std::string::npos && line.rfind("Effect", 0) == 0)
            ++released;
    EXPECT_EQ(released, 3u);
}

TEST_F(ShaderTest, AnEffectThatDoesNotCompileKeepsItsNameAndOnlyLogs)
{
    ASSERT_TRUE(InitDevice());
    const std::string path =
        m_files.Write("broken.fx", "technique T\npass P\n[fragment]\n#error nope\nvoid main(){}\n[end]\n");
    GShaderEffect effect;
    effect.Load(path);
    EXPECT_EQ(effect.GetName(), "broken.fx");
    EXPECT_EQ(effect.GetEffect(), nullptr);
    effect.Begin();
    effect.End();
    EXPECT_FALSE(effect.IsActive());
    EXPECT_NE(DrawDebugLog().find("Shader [broken.fx] starting when it is not loaded"), std::string::npos);
    const auto errors = ErrorMessages();
    EXPECT_NE(std::find(errors.begin(), errors.end(), "D3DXCreateEffectFromFile failed [" + path + "]"), errors.end());

    GShaderEffect missing;
    missing.Load(m_files.Path("nothing.fx"));
    EXPECT_EQ(missing.GetEffect(), nullptr);
}

TEST_F(ShaderTest, BeginFindsTheTechniqueOnceAndEndAlwaysEnds)
{
    ASSERT_TRUE(InitDevice());
    const std::string path =
        m_files.Write("fine.fx", "technique Main\npass P\n[fragment]\nvoid main(){ fvOutput(vColour); }\n[end]\n");
    GShaderEffect effect;
    effect.Load(path);
    ASSERT_NE(effect.GetEffect(), nullptr);
    m_rec->Clear();
    effect.End();
    effect.Begin();
    EXPECT_TRUE(effect.IsActive());
    effect.End();
    effect.Begin();
    effect.End();
    std::vector<std::string> calls;
    for (const std::string& line : m_rec->log)
        calls.push_back(line.substr(line.find(' ', 7) + 1));
    const std::vector<std::string> expected = {
        "EndPass", "End", "FindNextValidTechnique", "SetTechnique Main", "Begin 0",     "BeginPass 0",
        "EndPass", "End", "SetTechnique Main",      "Begin 0",           "BeginPass 0", "EndPass",
        "End"};
    EXPECT_EQ(calls, expected);
    effect.Release();
}
