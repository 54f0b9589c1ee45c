// The factory's shipped pictures drawn the way the factory view draws them, through the engine's
// own sprites, atlases, compiled animations and shaders: floor tiles, back walls with an import
// door, the press in each of its four facings, a welding robot caught mid-weld with its sparks, a
// car built from its layers with body and doors painted through the overlay shader, a stockpile
// of pallets with loads on them and loads hanging from the overhead conveyor. The picture is
// compared with a stored one, so a broken atlas, trim, anchor or sheet shows as a changed scene.
#include "tests/engine/RenderTestSupport.h"

#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/core/GStringTokenizer.h"
#include "gui/toolkit/effects/GUI_CompressedAnimation.h"
#include "gui/toolkit/effects/GUI_FlipbookParticles.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "platform/video/PImageCodec.h"
#include "tests/support/FreshState.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr float kZoom = 0.5f;
constexpr int kSceneWidth = 800;
constexpr int kSceneHeight = 560;
// The camera looks at this world point (a little above the middle tile's centre).
constexpr float kCameraX = 0.0f;
constexpr float kCameraY = 200.0f;

float ScreenX(float worldX)
{
    return (worldX - kCameraX) * kZoom + kSceneWidth * 0.5f;
}
float ScreenY(float worldY)
{
    return (worldY - kCameraY) * kZoom + kSceneHeight * 0.5f;
}
float TileX(int row, int column)
{
    return 256.0f * static_cast<float>(row - column);
}
float TileY(int row, int column)
{
    return 128.0f * static_cast<float>(row + column);
}
// Sub-tile place i of a tile: 64 (c - r), 32 (r + c) - 128 world units from its centre.
float SubTileX(int i)
{
    return 64.0f * static_cast<float>(i % 4 - i / 4);
}
float SubTileY(int i)
{
    return 32.0f * static_cast<float>(i / 4 + i % 4) - 128.0f;
}

// A floor tile: the whole picture over the tile's 512 x 256 rectangle.
void DrawFloor(const std::string& texture, int row, int column)
{
    CTexturedSprite floor;
    floor.SetTexture(texture);
    floor.m_width = 512.0f * kZoom;
    floor.m_height = 256.0f * kZoom;
    floor.SetPosition(ScreenX(TileX(row, column)), ScreenY(TileY(row, column)));
    floor.Draw();
}

// A picture of the atlas in a frame of width x height world units centred on (x, y) on screen,
// trimmed: the entry's last four values are the part of the frame the packed image covers.
void DrawTrimmed(const std::string& sprite, float x, float y, float width, float height)
{
    const SpriteAtlasEntry* entry = FindAtlasEntry(sprite);
    ASSERT_NE(entry, nullptr) << sprite;
    CTexturedSprite s;
    ApplyAtlasToSprite(s, sprite);
    const float frameW = width * kZoom, frameH = height * kZoom;
    s.m_width = frameW * (entry->xMax - entry->xMin);
    s.m_height = frameH * (entry->yMax - entry->yMin);
    s.SetPosition(x - frameW * 0.5f + entry->xMin * frameW + s.m_width * 0.5f,
                  y - frameH * 0.5f + entry->yMin * frameH + s.m_height * 0.5f);
    s.Draw();
}

// A car layer: the entry's fractions of the 400 x 200 car frame give size and offset; a layer
// named "colour" takes the paint through the overlay shader.
void DrawCarLayer(const std::string& sprite, float x, float y, uint32_t paint)
{
    const SpriteAtlasEntry* entry = FindAtlasEntry(sprite);
    ASSERT_NE(entry, nullptr) << sprite;
    CTexturedSprite s;
    ApplyAtlasToSprite(s, sprite);
    s.m_width = (entry->xMax - entry->xMin) * 400.0f * kZoom;
    s.m_height = (entry->yMax - entry->yMin) * 200.0f * kZoom;
    s.SetPosition(x + ((entry->xMin + entry->xMax) * 0.5f - 0.5f) * 400.0f * kZoom,
                  y + ((entry->yMin + entry->yMax) * 0.5f - 0.5f) * 200.0f * kZoom);
    GShaderEffect* overlay = nullptr;
    if (sprite.find("colour") != std::string::npos)
    {
        s.SetColour(static_cast<int>(paint >> 16 & 0xFF), static_cast<int>(paint >> 8 & 0xFF),
                    static_cast<int>(paint & 0xFF), 255);
        overlay = GUI_ShaderManager::Instance().FindShader("overlay.fx");
    }
    if (overlay)
        overlay->Begin();
    s.Draw();
    if (overlay)
        overlay->End();
}

// One frame of a compiled animation over a prop's frame of size x size world units: 8 x 8 cells
// taken from the sheet's stored chunks, transparent cells skipped.
void DrawAnimationFrame(const GUI_CompressedAnimation& anim, int frame, float x, float y, float size)
{
    const CompressedAnimFrame& cells = anim.GetFrame(frame);
    const float cell = size * kZoom / 8.0f;
    const float left = x - size * kZoom * 0.5f, top = y - size * kZoom * 0.5f;
    for (int p = 0; p < CompressedAnimFrame::kCells; ++p)
    {
        if (cells.cells[p] < 0)
            continue;
        const CompressedAnimChunk* chunk = anim.FindChunk(cells.cells[p]);
        ASSERT_NE(chunk, nullptr);
        CTexturedSprite s;
        s.SetTexture(anim.GetSpriteSheetName());
        const float us[4] = {chunk->uMin, chunk->uMax, chunk->uMin, chunk->uMax};
        const float vs[4] = {chunk->vMin, chunk->vMin, chunk->vMax, chunk->vMax};
        for (int i = 0; i < 4; ++i)
        {
            s.m_vertices[i].u = us[i];
            s.m_vertices[i].v = vs[i];
        }
        s.m_width = s.m_height = cell;
        s.SetPosition(left + (static_cast<float>(p % 8) + 0.5f) * cell,
                      top + (static_cast<float>(p / 8) + 0.5f) * cell);
        s.Draw();
    }
}

class WorldArtScene : public GLRenderTest
{
protected:
    int ViewWidth() const override { return kSceneWidth; }
    int ViewHeight() const override { return kSceneHeight; }
};

// A scene object drawn in depth order: larger world y is nearer the viewer.
struct Placed
{
    float depth;
    std::function<void()> draw;
};
} // namespace

TEST_F(WorldArtScene, ShippedFactoryArtDrawsAsTheStoredScene)
{
    GTextureManager::Instance().AddFolder("data/bitmaps");
    GUI_ShaderManager::Instance().LoadAll();
    FreshState::Forget<SpriteAtlasTable>();
    SpriteAtlasTable::Instance().LoadFolder(SpriteAtlasTable::kDefaultFolder);
    GD3DDevice::Instance().GetDevice()->Clear(0xFF1A1C20u);

    // Floors: a 3 x 3 hall with a station, a stockpile and a car conveyor.
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            DrawFloor((row + column) % 2 ? "floor_concrete_02.dds" : "floor_concrete_01.dds", row, column);
    DrawFloor("conveyor_insert01_SE.dds", 1, 1);
    DrawFloor("car_conv_SE.dds", 2, 1);
    DrawFloor("floor_metal_04.dds", 1, 2);

    // Back walls on the hall's far edges (drawn first, as their depth is the smallest), with the
    // import door on the north-west wall.
    for (int i = 0; i < 3; ++i)
    {
        DrawTrimmed(i == 1 ? "wall1_NW_import.dds" : "wall1_NW.dds", ScreenX(TileX(0, i)),
                    ScreenY(TileY(0, i) - 128.0f), 512.0f, 512.0f);
        DrawTrimmed(i == 1 ? "wall1_NE_alt.dds" : "wall1_NE.dds", ScreenX(TileX(i, 0)), ScreenY(TileY(i, 0) - 128.0f),
                    512.0f, 512.0f);
    }

    std::vector<Placed> scene;
    // The press in each facing, on the four corner tiles.
    const int corners[4][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    const char* const facings[4] = {"ne", "se", "sw", "nw"};
    for (int f = 0; f < 4; ++f)
    {
        const float wx = TileX(corners[f][0], corners[f][1]), wy = TileY(corners[f][0], corners[f][1]);
        const std::string sprite = std::string("prop_machine_press_") + facings[f] + ".dds";
        scene.push_back({wy, [=] { DrawTrimmed(sprite, ScreenX(wx), ScreenY(wy), 512.0f, 512.0f); }});
    }
    // Pallets on the stockpile, loads on four of them.
    for (int i = 0; i < 16; ++i)
    {
        const float wx = TileX(1, 2) + SubTileX(i), wy = TileY(1, 2) + SubTileY(i);
        scene.push_back({wy, [=] { DrawTrimmed("prop_pallet_se.dds", ScreenX(wx), ScreenY(wy), 128.0f, 128.0f); }});
    }
    const char* const loads[4] = {"res_steel_sheet.dds", "res_engine_block.dds", "res_wheel_set.dds",
                                  "res_paint_colour.dds"};
    for (int k = 0; k < 4; ++k)
    {
        const int i = k * 5;
        const float wx = TileX(1, 2) + SubTileX(i), wy = TileY(1, 2) + SubTileY(i);
        scene.push_back({wy + 0.5f, [=] { DrawTrimmed(loads[k], ScreenX(wx), ScreenY(wy), 128.0f, 128.0f); }});
    }
    // The station: a painted car on the insert, the robot on its far side mid-weld, the other one
    // waiting.
    const float carX = TileX(1, 1), carY = TileY(1, 1);
    scene.push_back({carY, [=] {
                         const char* const layers[] = {"chassis",    "axles",       "fuel_tank", "engine",
                                                       "wheels",     "body_colour", "seats",     "doors_colour",
                                                       "windscreen", "sunroof",     "spoiler"};
                         for (const char* layer : layers)
                             DrawCarLayer(std::string("car_") + layer + "_se", ScreenX(carX), ScreenY(carY), 0xC42024u);
                     }});
    GUI_CompressedAnimation weld;
    ASSERT_TRUE(weld.Load("data/animations/arm_weld_sw.txt.anim"));
    const CompressedAnimSection* seam = weld.FindSection("WL1Loop");
    ASSERT_NE(seam, nullptr);
    const float robotX = carX + SubTileX(1), robotY = carY + SubTileY(1);
    scene.push_back(
        {robotY, [&] { DrawAnimationFrame(weld, seam->startFrame + 3, ScreenX(robotX), ScreenY(robotY), 256.0f); }});
    // Its sparks at the first seam, as the particles value of the animation places them.
    GStringTokenizer particles(weld.GetParticles(), ',');
    const std::string flipbook = particles.GetString();
    const int frames = particles.GetInt();
    const float duration = particles.GetFloat();
    const float w1x = particles.GetFloat(), w1y = particles.GetFloat();
    GUI_FlipbookParticles sparks(frames, flipbook, duration);
    sparks.Play(robotX + w1x, robotY + w1y, 0.0f);
    const ParticleView view{kCameraX, kCameraY, kZoom};
    // Drawn over the car so the test sees them (the view sorts them with the robot).
    scene.push_back({carY + 1.0f, [&] { sparks.Draw(duration * 0.35f, view); }});
    const float otherX = carX + SubTileX(13), otherY = carY + SubTileY(13);
    scene.push_back(
        {otherY + 0.5f, [=] { DrawTrimmed("prop_robot2_ne.dds", ScreenX(otherX), ScreenY(otherY), 256.0f, 256.0f); }});
    // The overhead conveyor over the car conveyor, with two loads hanging from it.
    const float lineX = TileX(2, 1), lineY = TileY(2, 1);
    scene.push_back({lineY - 128.0f, [=] {
                         for (const char* piece : {"overhead_NW.dds", "overhead_SE.dds"})
                             DrawTrimmed(piece, ScreenX(lineX), ScreenY(lineY - 128.0f), 512.0f, 512.0f);
                     }});
    std::stable_sort(scene.begin(), scene.end(), [](const Placed& a, const Placed& b) { return a.depth < b.depth; });
    for (const Placed& p : scene)
        p.draw();
    // Hanging loads are drawn after everything else, hooks first, as the view does.
    const float hangX[2] = {lineX, lineX - 128.0f}, hangY[2] = {lineY, lineY - 64.0f};
    for (int k = 0; k < 2; ++k)
    {
        CTexturedSprite hook;
        hook.SetTexture("overhead_hook_NW.dds");
        hook.m_width = hook.m_height = 128.0f * kZoom;
        hook.SetPosition(ScreenX(hangX[k]), ScreenY(hangY[k] - 24.04f));
        hook.Draw();
    }
    DrawTrimmed("res_door_set.dds", ScreenX(hangX[0]), ScreenY(hangY[0] - 32.0f), 128.0f, 128.0f);
    DrawTrimmed("res_wiring_loom.dds", ScreenX(hangX[1]), ScreenY(hangY[1] - 32.0f), 128.0f, 128.0f);

    const PImage picture = ReadBack();
    ASSERT_EQ(picture.Width(), kSceneWidth);
    const std::string path = std::string(FV_TEST_DIR) + "/gui/factory/reference/world_scene.png";
    if (std::getenv("FV_WRITE_REFERENCES"))
    {
        ASSERT_TRUE(PImageCodec::SaveToFile(path, picture, PImageFileFormat::Png)) << path;
        return;
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(PImageCodec::ReadFile(path, bytes)) << path;
    PImage reference;
    ASSERT_TRUE(PImageCodec::Decode(bytes.data(), bytes.size(), reference));
    ASSERT_EQ(reference.Width(), picture.Width());
    ASSERT_EQ(reference.Height(), picture.Height());
    int differing = 0, lit = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
        {
            const uint32_t a = Pixel(picture, x, y), b = Pixel(reference, x, y);
            bool near = true;
            for (int shift = 0; shift < 24; shift += 8)
                near =
                    near && std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) <= 24;
            differing += near ? 0 : 1;
            lit += (b & 0xFFFFFF) != 0x1A1C20u ? 1 : 0;
        }
    EXPECT_GT(lit, kSceneWidth * kSceneHeight / 3) << "the reference shows the scene";
    EXPECT_LE(differing, kSceneWidth * kSceneHeight / 200) << differing << " pixels differ from " << path;
}
