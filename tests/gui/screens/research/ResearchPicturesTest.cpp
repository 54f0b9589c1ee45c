// The research screen of the shipped tech tree drawn by OpenGL and compared with a stored picture
// (tests/gui/screens/research/reference): a game with one research office, Power Tools being
// researched at 60 %, the basics done and the rest still to come. FV_WRITE_REFERENCES=1 writes it.
#include "ResearchTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GVertexBuffer.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "platform/core/PClock.h"
#include "platform/video/PGraphicsDevice.h"
#include "sim/SIM_Presentation.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "tests/engine/FontTestSupport.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

namespace
{
class ResearchPicture : public GLRenderTest
{
protected:
    int ViewWidth() const override { return 1280; }
    int ViewHeight() const override { return 768; }
    void SetUp() override
    {
        GLRenderTest::SetUp();
        if (IsSkipped())
            return;
        SharedVertexBatch().Create(8000);
        LoadGameFontsForTest();
        m_world.Install();
        GUI_Sounds::Instance().SetMuted(true);
        m_game = std::make_unique<savetest::SaveWorld>();
        SIM_Presentation::Instance().SetListener(&m_listener);
        ASSERT_TRUE(m_game->StartGame());
    }
    void TearDown() override
    {
        m_world.Remove();
        m_game.reset();
        GUI_Sounds::Instance().SetMuted(false);
        GLRenderTest::TearDown();
    }

    ToolkitTestWorld m_world;
    std::unique_ptr<savetest::SaveWorld> m_game;
    ResearchTestListener m_listener;
};
} // namespace

TEST_F(ResearchPicture, TheShippedTechTreeWithTheCurrentResearch)
{
    ASSERT_NE(m_game->PlaceFacility("fac_research_office", 9, 14), nullptr);
    SIM_Researchable* tools = SIM_ResearchManager::Instance().GetResearchable("research_fast_tools");
    ASSERT_NE(tools, nullptr);
    tools->m_progress = 120.0f;
    SIM_ResearchManager::Instance().SetCurrentResearch(tools);
    GUI_ResearchDialog::Show();
    // Half a second into the pulse: the current item's fill is fully shown.
    PClock::AdvanceManual(500ull * 1000000ull);
    m_world.input.MoveTo(1275.0f, 5.0f);
    GD3DDevice::Instance().GetDevice()->Clear(0xFF2A3B4Cu);
    m_world.Frame();
    ExpectMatchesReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/screens/research", "research_screen");
}
