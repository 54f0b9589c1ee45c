// Effects test helpers.
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

#include "engine/GVertexBuffer.h"
#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GRandom.h"
#include "gui/toolkit/effects/GUI_AnimationManager.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_SimpleAnimationManager.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "platform/core/PClock.h"
#include "platform/video/PImageCodec.h"
#include "tests/support/FreshState.h"

namespace
{
// Every test starts its clock here, so the particles' clock and the random table repeat.
constexpr uint64_t kEffectsClockStartNs = 1000000000000ull;
} // namespace

PImage MakePicture(int width, int height, const std::function<uint32_t(int x, int y)>& argb)
{
    PImage image;
    image.levels.resize(1);
    PImageLevel& level = image.levels[0];
    level.width = width;
    level.height = height;
    level.rgba.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const uint32_t c = argb(x, y);
            uint8_t* p =
                &level.rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
            p[0] = static_cast<uint8_t>(c >> 16);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c);
            p[3] = static_cast<uint8_t>(c >> 24);
        }
    return image;
}

uint32_t PictureArgb(const PImage& image, int x, int y)
{
    const PImageLevel& l = image.levels[0];
    const uint8_t* p = &l.rgba[(static_cast<size_t>(y) * static_cast<size_t>(l.width) + static_cast<size_t>(x)) * 4];
    return static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
           p[2];
}

PImage LoadPicture(const std::string& path)
{
    PImage image;
    std::vector<uint8_t> bytes;
    if (PImageCodec::ReadFile(path, bytes))
        PImageCodec::Decode(bytes.data(), bytes.size(), image);
    return image;
}

void ExpectMatchesReference(const PImage& picture, const std::string& folder, const std::string& name, int tolerance)
{
    GLRenderTest::CompareWithReference(picture, folder + "/reference/" + name + ".png", tolerance);
}

void ResetEffectsState()
{
    ClearParticleConfigs();
    ClearParticleEmitters();
    FreshState::Forget<GUI_AnimationManager>();
    FreshState::Forget<GUI_SimpleAnimationManager>();
    GUI_SimpleAnimationManager::Instance().SetFolder(GUI_SimpleAnimationManager::kDefaultFolder);
    FreshState::Forget<SpriteAtlasTable>();
    GUI_TextureCache::Reset();
    FreshState::Forget<GBufferedFileManager>();
    PClock::SetManual(true, kEffectsClockStartNs);
    GRandom::Init();
}

void EffectsRecordingTest::SetUp()
{
    RecordingRenderTest::SetUp();
    ResetEffectsState();
    ASSERT_TRUE(InitDevice());
    SharedVertexBatch().Create(8000);
}

void EffectsRecordingTest::TearDown()
{
    ResetEffectsState();
    PClock::SetManual(false);
    RecordingRenderTest::TearDown();
}

void EffectsGLTest::SetUp()
{
    GLRenderTest::SetUp();
    if (IsSkipped())
        return;
    ResetEffectsState();
    SharedVertexBatch().Create(8000);
}

void EffectsGLTest::TearDown()
{
    ResetEffectsState();
    PClock::SetManual(false);
    GLRenderTest::TearDown();
}
