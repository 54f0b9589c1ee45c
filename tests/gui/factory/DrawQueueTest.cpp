// The depth-sorted draw queue: equal depths keep the order they were queued in, runs of sprites
// sharing a texture go to the card as one draw, anything that draws itself splits a run, painted
// sprites go together through their effect, and the scene's pages made at start-up serve every game.
#include "FactoryViewTestSupport.h"

#include "engine/GTextureManager.h"
#include "engine/GUI_ShaderManager.h"
#include "gui/factory/scene/GUI_IsometricSprite.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/view/GUI_Factory.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/world/SIM_MissionManager.h"
#include "tests/support/FreshState.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
// A scene object that draws itself: one untextured quad, recorded by its x.
class SelfDrawn : public GUI_IsometricObject
{
public:
    explicit SelfDrawn(float depth, float x)
    {
        m_depth = depth;
        m_sprite.m_width = m_sprite.m_height = 4.0f;
        m_sprite.SetPosition(x, 10.0f);
    }
    void Draw() override { m_sprite.Draw(); }

private:
    BaseSprite m_sprite;
};

std::unique_ptr<GUI_IsometricSprite> Sprite(const char* texture, float depth, float x)
{
    auto sprite = std::make_unique<GUI_IsometricSprite>();
    sprite->SetTexture(texture);
    sprite->m_depth = depth;
    sprite->m_sprite.m_width = sprite->m_sprite.m_height = 4.0f;
    sprite->m_sprite.SetPosition(x, 10.0f);
    return sprite;
}

// The x of every quad drawn, in drawing order (an indexed draw records six corners a quad), and how
// many draws it took.
std::vector<float> DrawnOrder(const PRecordingState& rec, int& draws)
{
    std::vector<float> order;
    draws = 0;
    for (const PRecordingDraw& draw : rec.draws)
    {
        ++draws;
        if (draw.indexed)
            for (size_t i = 0; i < draw.vertices.size(); i += 6)
                order.push_back(draw.vertices[i].x + 2.0f);
        else
            order.push_back(draw.vertices[0].x + 2.0f);
    }
    return order;
}
} // namespace

TEST_F(FactoryViewTest, QueueDrawsByDepthKeepingQueueOrderAndCountsItsBatches)
{
    IsometricDrawQueue& queue = IsometricDrawQueue::Instance();
    queue.SetCellSize(64);
    struct Case
    {
        const char* name;
        std::vector<int> textures; // index into the two pictures, -1 draws itself
        std::vector<float> depths;
        std::vector<float> x;         // where each queued object stands (4 pixels wide)
        std::vector<float> expectedX; // in the order drawn
        int draws;
    };
    // Objects within one 64-pixel cell count as overlapping; 200 pixels apart they do not.
    const Case cases[] = {
        {"equal depths keep their queue order", {0, 0, 0}, {5, 5, 5}, {100, 110, 120}, {100, 110, 120}, 1},
        {"sorted by depth, one run of one picture", {0, 0, 0}, {3, 1, 2}, {100, 110, 120}, {110, 120, 100}, 1},
        {"a picture change between overlapping sprites starts a new run",
         {0, 1, 1, 0},
         {1, 2, 3, 4},
         {70, 80, 90, 100},
         {70, 80, 90, 100},
         3},
        {"a sprite overlapping nothing in between joins the earlier run of its picture",
         {0, 1, 1, 0},
         {1, 2, 3, 4},
         {100, 300, 500, 700},
         {100, 700, 300, 500},
         2},
        {"something drawing itself splits a run", {0, -1, 0}, {1, 2, 3}, {100, 300, 500}, {100, 300, 500}, 3},
        {"equal depths across pictures stay in order", {1, 0, 1}, {2, 2, 2}, {100, 110, 120}, {100, 110, 120}, 3},
        {"an empty queue draws nothing", {}, {}, {}, {}, 0},
    };
    const char* pictures[2] = {"floor_plain_01.dds", "tile_blank.dds"};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<GUI_IsometricObject>> objects;
        for (size_t i = 0; i < c.textures.size(); ++i)
        {
            if (c.textures[i] < 0)
                objects.push_back(std::make_unique<SelfDrawn>(c.depths[i], c.x[i]));
            else
                objects.push_back(Sprite(pictures[c.textures[i]], c.depths[i], c.x[i]));
            queue.Append(objects.back().get());
        }
        m_rec->Clear();
        queue.Sort();
        queue.Flush();
        int draws = 0;
        EXPECT_EQ(DrawnOrder(*m_rec, draws), c.expectedX);
        EXPECT_EQ(draws, c.draws);
        EXPECT_EQ(queue.GetLastFlushBatches(), c.draws);
        EXPECT_EQ(queue.GetCount(), 0u);
    }
}

TEST_F(FactoryViewTest, PaintedSpritesBatchOnlyWithPaintedSpritesOfTheirPictureAndDrawThroughTheEffect)
{
    GUI_ShaderManager::Instance().LoadAll();
    GShaderEffect* paint = GUI_ShaderManager::Instance().FindShader("overlay.fx");
    ASSERT_NE(paint, nullptr);
    IsometricDrawQueue& queue = IsometricDrawQueue::Instance();
    queue.SetCellSize(64);
    // Two cars far apart, each three layers on one spot at its own depth: a plain layer, a
    // painted layer of the same picture, a plain layer of another picture. Like layers of both
    // cars go together; within a car the order holds, and the paint never leaks onto a plain one.
    std::vector<std::unique_ptr<GUI_IsometricSprite>> layers;
    for (const float x : {100.0f, 500.0f})
    {
        const float depth = x;
        layers.push_back(Sprite("floor_plain_01.dds", depth, x));
        layers.push_back(Sprite("floor_plain_01.dds", depth, x));
        layers.back()->m_effect = paint;
        layers.push_back(Sprite("tile_blank.dds", depth, x));
    }
    // A plain sprite of the painted picture on top of the first car: it may not join the plain
    // batch beneath the paint.
    layers.push_back(Sprite("floor_plain_01.dds", 1000.0f, 100.0f));
    for (const auto& layer : layers)
        queue.Append(layer.get());
    m_rec->Clear();
    queue.Sort();
    queue.Flush();

    int draws = 0;
    EXPECT_EQ(DrawnOrder(*m_rec, draws), (std::vector<float>{100, 500, 100, 500, 100, 500, 100}));
    EXPECT_EQ(draws, 4);
    // Draws and the passes begun and ended around them, a pass named by its effect's recording.
    auto steps = [this] {
        std::vector<std::string> out;
        for (const std::string& line : m_rec->log)
        {
            if (line.rfind("DrawIndexedPrimitive", 0) == 0 || line.rfind("DrawPrimitiveUP", 0) == 0)
                out.emplace_back("draw");
            else if (line.find(" BeginPass") != std::string::npos)
                out.push_back(line.substr(0, line.find(" BeginPass")));
            else if (line.find(" EndPass") != std::string::npos)
                out.emplace_back("end");
        }
        return out;
    };
    // Only the painted batch is drawn inside the paint's pass.
    const std::vector<std::string> plainScene = steps();
    ASSERT_EQ(plainScene.size(), 6u);
    const std::string paintPass = plainScene[1];
    EXPECT_EQ(plainScene, (std::vector<std::string>{"draw", paintPass, "draw", "end", "draw", "draw"}));

    // A scene drawn through a look of its own (the conveyor view's) gets it back after the paint.
    GShaderEffect* look = GUI_ShaderManager::Instance().FindShader("conveyor_mode.fx");
    ASSERT_NE(look, nullptr);
    for (const auto& layer : layers)
        queue.Append(layer.get());
    m_rec->Clear();
    queue.Sort();
    queue.Flush(look);
    const std::vector<std::string> lookedScene = steps();
    ASSERT_EQ(lookedScene.size(), 7u);
    EXPECT_NE(lookedScene[4], paintPass);
    EXPECT_EQ(lookedScene,
              (std::vector<std::string>{"draw", paintPass, "draw", "end", lookedScene[4], "draw", "draw"}));
    GUI_ShaderManager::Instance().ReleaseAll();
}

// Start-up copies what every game's scene draws into the pages: the sheets and the walls of every
// mission listed. A game on one of those missions keeps them, and the next game decodes no picture
// again and makes no page anew.
TEST_F(FactoryViewTest, StartUpMakesTheScenePagesEveryGameKeeps)
{
    // What start-up finds: the game's own definitions and the missions listed.
    SIM_PropTypeManager::Instance().Load();
    SIM_ResourceManager::Instance().Load();
    SIM_MissionManager::Instance().Unload();
    SIM_MissionManager::Instance().Load(FV_TEST_DIR "/gui/factory/data/missions/*.txt");
    GUI_Factory::PrepareScene();
    SceneTexturePages& pages = IsometricDrawQueue::Instance().Pages();
    ASSERT_GT(pages.GetPictureCount(), 10u);
    const int built = pages.GetBuildCount();
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_fit_body", 3, 4), nullptr);
    m_world.Frame();
    const int decoded = GTextureManager::Instance().GetDecodeCount();
    FreshState::EndGame();
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_fit_body", 3, 4), nullptr);
    m_world.Frame();
    EXPECT_EQ(pages.GetBuildCount(), built);
    EXPECT_EQ(GTextureManager::Instance().GetDecodeCount(), decoded);

    // The overlay's pages (notices, labels) are made as the game starts too, not in its first
    // frame, even when no game made them before.
    SceneTexturePages& overlay = GUI_Factory::Instance().GetOverlayPages();
    FreshState::EndGame();
    overlay.Release();
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    EXPECT_GT(overlay.GetPictureCount(), 4u);
    const int overlayBuilt = overlay.GetBuildCount();
    m_world.Frame();
    EXPECT_EQ(overlay.GetBuildCount(), overlayBuilt);
}
