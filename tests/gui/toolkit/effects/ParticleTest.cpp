// Particle configurations, emitters and flip-books: how particles are thrown, age and die, how
// emitters finish and are reused, and that their quads are drawn with their own texture and blend.
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GBufferedFileManager.h"
#include "gui/toolkit/effects/GUI_FlipbookParticles.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "platform/core/PClock.h"
#include "platform/video/PImageCodec.h"
#include "platform/video/PRecordingTexture.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"
#include "tests/support/FreshState.h"

#include <cmath>
#include <filesystem>

namespace
{
// A soft round spark: white, its alpha falling from the centre.
PImage SparkPicture()
{
    return MakePicture(16, 16, [](int x, int y) {
        const float dx = static_cast<float>(x) - 7.5f, dy = static_cast<float>(y) - 7.5f;
        const float a = std::max(0.0f, 1.0f - (dx * dx + dy * dy) / 64.0f);
        return static_cast<uint32_t>(a * 255.0f) << 24 | 0xFFFFFFu;
    });
}

void WriteSparkTexture(EngineTestFiles& files)
{
    std::filesystem::create_directories(files.Path("bitmaps"));
    ASSERT_TRUE(PImageCodec::SaveToFile(files.Path("bitmaps/test_spark.png"), SparkPicture(), PImageFileFormat::Png));
    GTextureManager::Instance().AddFolder(files.Path("bitmaps"));
}

std::string ParticleFile(const std::string& name, const std::string& extra)
{
    // The first of two equal keys counts, so the extra keys come first.
    return "[config]\nName = " + name + "\n" + extra +
           "TextureName = test_spark.png\nMinXVelocity = 2\nMaxXVelocity = 6\nMinSize = 8\nMaxSize = 20\n"
           "XScatter = 40\nYScatter = 20\n";
}

int Alive(GUI_ParticleEmmiter& emitter)
{
    int n = 0;
    for (int i = 0; i < GUI_ParticleEmmiter::kMaxParticles; ++i)
        n += emitter.GetParticle(i).alive;
    return n;
}
} // namespace

class ParticleTest : public EffectsRecordingTest
{
protected:
    void SetUp() override
    {
        EffectsRecordingTest::SetUp();
        WriteSparkTexture(m_data);
    }
    // Loads the folder with a "place_slot" config of these extra keys.
    GUI_ParticleConfig* PlaceSlot(const std::string& extra)
    {
        m_data.Write("particles/place_slot.txt", ParticleFile("place_slot", extra));
        FreshState::Forget<GBufferedFileManager>(); // the file was just rewritten
        LoadParticleConfigs(m_data.Path("particles"));
        return FindPlaceSlotConfig();
    }
    static void Step(GUI_ParticleEmmiter& emitter, int frames, uint64_t msPerFrame = 16)
    {
        for (int i = 0; i < frames; ++i)
        {
            PClock::AdvanceManual(msPerFrame * 1000000ull);
            emitter.UpdateAndDraw(ParticleView{0.0f, 0.0f, 0.5f});
        }
    }

    EngineTestFiles m_data;
};

TEST_F(ParticleTest, ConfigsReadEveryKeyAndTheBlendWord)
{
    m_data.Write("particles/a.txt", "[config]\nName = fire\nTextureName = test_spark.png\nMinXVelocity = 1.5\n"
                                    "MaxXVelocity = 3\nMinYVelocity = 7\nMaxYVelocity = 8\nMinSize = 2\nMaxSize = 4\n"
                                    "AlphaFalloff = 0.04\nSizeFalloff = 0.02\nSpeedFalloff = 0.03\nXScatter = 40\n"
                                    "YScatter = 20\nParticlesPerSecond = 30\nInitialParticles = 48.9\n"
                                    "Lifetime = 800\nType = ADDITIVE\n");
    m_data.Write("particles/b.txt", "[config]\nName = plain\nType = STANDARD\n");
    m_data.Write("particles/c.txt", "[config]\nName = odd\nType = GLOWING\n");
    m_data.Write("particles/d.txt", "no section at all\n");
    LoadParticleConfigs(m_data.Path("particles"));
    const auto& configs = ParticleConfigList();
    ASSERT_EQ(configs.size(), 4u);
    const GUI_ParticleConfig& fire = *configs[0];
    EXPECT_EQ(fire.m_name, "fire");
    EXPECT_NE(fire.m_texture.GetTexture(), nullptr);
    EXPECT_FLOAT_EQ(fire.m_minSpeed, 1.5f);
    EXPECT_FLOAT_EQ(fire.m_maxYVelocity, 8.0f);
    EXPECT_FLOAT_EQ(fire.m_speedFalloff, 0.03f);
    EXPECT_FLOAT_EQ(fire.m_yScatter, 20.0f);
    EXPECT_FLOAT_EQ(fire.m_particlesPerSecond, 30.0f);
    EXPECT_EQ(fire.m_initialParticles, 48) << "truncated";
    EXPECT_FLOAT_EQ(fire.m_lifetime, 800.0f);
    EXPECT_EQ(fire.m_blendType, GUI_ParticleConfig::BLEND_ADDITIVE);
    EXPECT_EQ(configs[1]->m_blendType, GUI_ParticleConfig::BLEND_NORMAL);
    EXPECT_EQ(configs[2]->m_blendType, GUI_ParticleConfig::BLEND_NORMAL);
    EXPECT_EQ(configs[3]->m_name, "");
    EXPECT_FLOAT_EQ(configs[3]->m_maxSize, 0.0f);

    // No "place_slot": reported, and a placement gets no emitter instead of a broken one.
    EXPECT_EQ(FindPlaceSlotConfig(), nullptr);
    EXPECT_EQ(SpawnPlaceSlotParticles(10.0f, 10.0f), nullptr);
    EXPECT_TRUE(ActiveParticleEmitters().empty());
    EXPECT_NE(ErrorLog().find("Particle config not found"), std::string::npos);
}

TEST_F(ParticleTest, ParticlesAgeAndDieAsTheirConfigSays)
{
    struct Case
    {
        const char* extra;
        int framesAlive; // live after this many frames, none after one more
        int initial;
    };
    const Case cases[] = {
        {"InitialParticles = 300\nAlphaFalloff = 0.1\nLifetime = 1000\n", 52, 256},
        {"InitialParticles = 10\nMinSize = 0.6\nMaxSize = 0.6\nSizeFalloff = 0.2\nLifetime = 1000\n", 0, 10},
        {"InitialParticles = 5\nAlphaFalloff = 0.5\nLifetime = 1000\n", 7, 5},
    };
    for (const Case& c : cases)
    {
        ClearParticleConfigs();
        GUI_ParticleConfig* config = PlaceSlot(c.extra);
        ASSERT_NE(config, nullptr);
        GUI_ParticleEmmiter emitter(config, 100.0f, 50.0f);
        EXPECT_EQ(Alive(emitter), c.initial) << c.extra;
        for (int i = 0; i < GUI_ParticleEmmiter::kMaxParticles; ++i)
        {
            const GUI_Particle& p = emitter.GetParticle(i);
            if (!p.alive)
                continue;
            EXPECT_GE(p.x, 60.0f);
            EXPECT_LE(p.x, 140.0f);
            EXPECT_GE(p.y, 30.0f);
            EXPECT_LE(p.y, 70.0f);
            EXPECT_NEAR(std::hypot(p.vx, p.vy), 4.0f, 2.0f + 1e-4f);
        }
        Step(emitter, c.framesAlive, 1);
        EXPECT_EQ(emitter.GetLiveCount(), c.framesAlive ? c.initial : 0) << c.extra;
        EXPECT_TRUE(emitter.IsActive() || c.framesAlive == 0);
        Step(emitter, 1, 1);
        EXPECT_EQ(emitter.GetLiveCount(), 0) << c.extra;
        EXPECT_FALSE(emitter.IsActive()) << "a timed emitter with nothing left is finished";
    }
}

TEST_F(ParticleTest, EmittersSpawnByTheClockAndFinishedOnesAreReused)
{
    // Lifetime 0: spawns for as long as it exists, 100 a second, never more than 256 at once.
    GUI_ParticleEmmiter* forever = nullptr;
    {
        ASSERT_NE(PlaceSlot("InitialParticles = 0\nParticlesPerSecond = 100\nLifetime = 0\n"), nullptr);
        forever = SpawnPlaceSlotParticles(0.0f, 0.0f);
        ASSERT_NE(forever, nullptr);
        Step(*forever, 1, 50);
        EXPECT_EQ(Alive(*forever), 5);
        Step(*forever, 1, 50);
        EXPECT_EQ(forever->GetLiveCount(), 5) << "drawn before the next ones are thrown";
        EXPECT_EQ(Alive(*forever), 10);
        Step(*forever, 60, 50);
        EXPECT_EQ(Alive(*forever), 256);
        EXPECT_TRUE(forever->IsActive());
        EXPECT_FALSE(RetireFinishedParticleEmitter());
    }
    ClearParticleConfigs();
    EXPECT_TRUE(ActiveParticleEmitters().empty()) << "emitters go with their configs";

    // Lifetime 500 and nothing thrown at the start: finished after its first frame, then reused.
    ASSERT_NE(PlaceSlot("InitialParticles = 0\nParticlesPerSecond = 0\nLifetime = 500\n"), nullptr);
    GUI_ParticleEmmiter* once = SpawnPlaceSlotParticles(5.0f, 6.0f);
    UpdateAndDrawParticleEmitters(ParticleView{});
    EXPECT_FALSE(once->IsActive());
    EXPECT_TRUE(RetireFinishedParticleEmitter());
    EXPECT_FALSE(RetireFinishedParticleEmitter());
    EXPECT_EQ(RecycledParticleEmitters().size(), 1u);
    GUI_ParticleEmmiter* again = SpawnPlaceSlotParticles(70.0f, 80.0f);
    EXPECT_EQ(again, once);
    EXPECT_TRUE(again->IsActive());
    EXPECT_FLOAT_EQ(again->GetX(), 70.0f);
    EXPECT_TRUE(RecycledParticleEmitters().empty());
    ClearParticleEmitters();
    EXPECT_TRUE(ActiveParticleEmitters().empty());
}

TEST_F(ParticleTest, ParticlesAreDrawnWithTheirOwnTextureAndBlendWithoutTouchingQueuedQuads)
{
    GUI_ParticleConfig* config = PlaceSlot("InitialParticles = 20\nLifetime = 1000\nType = ADDITIVE\n");
    ASSERT_NE(config, nullptr);
    GUI_ParticleEmmiter emitter(config, 0.0f, 0.0f);
    // A quad someone else queued with another texture.
    m_data.Write("bitmaps/other.png", "");
    ASSERT_TRUE(PImageCodec::SaveToFile(m_data.Path("bitmaps/other.png"), SparkPicture(), PImageFileFormat::Png));
    CLoadedTextureRef other;
    other.SetByName("other.png");
    GVertexBuffer& batch = SharedVertexBatch();
    batch.SetTexture(&other);
    const PVertex quad[4] = {};
    batch.AddQuad(quad);
    m_rec->Clear();
    emitter.UpdateAndDraw(ParticleView{0.0f, 0.0f, 1.0f});
    ASSERT_EQ(m_rec->draws.size(), 2u);
    auto id = [](PTexture* t) { return static_cast<PRecordingTexture*>(t)->Id(); };
    EXPECT_EQ(m_rec->draws[0].texture, id(other.GetTexture()));
    EXPECT_EQ(m_rec->draws[0].primitives, 2);
    EXPECT_EQ(m_rec->draws[1].texture, id(config->m_texture.GetTexture()));
    EXPECT_EQ(m_rec->draws[1].primitives, 40);
    const auto blends = m_rec->Calls("SetRenderState DestBlend");
    ASSERT_EQ(blends.size(), 2u);
    EXPECT_EQ(blends[0], "SetRenderState DestBlend " + std::to_string(PBLEND_ONE));
    EXPECT_EQ(blends[1], "SetRenderState DestBlend " + std::to_string(PBLEND_INVSRCALPHA));
    // Each live particle is a square of side 2 x size turned by its angle, around its screen point.
    const GUI_Particle& p = emitter.GetParticle(0);
    const PVertex* v = p.vertices;
    EXPECT_NEAR(std::hypot(v[1].x - v[0].x, v[1].y - v[0].y), 2.0f * p.size, 1e-3f);
    EXPECT_NEAR((v[0].x + v[3].x) * 0.5f, p.x + 400.0f, 1e-3f);
    EXPECT_NEAR((v[0].y + v[3].y) * 0.5f, p.y + 300.0f, 1e-3f);
    EXPECT_EQ(v[0].colour >> 24, 255u);
}

TEST(FlipbookParticles, FramesRunDownEachColumnAndThePlayStopsAtItsDuration)
{
    GUI_FlipbookParticles flip(16, "weld_flip.dds", 2000.0f);
    struct Case
    {
        float elapsed;
        int frame;
    };
    const Case cases[] = {{0.0f, 0}, {124.0f, 0}, {125.0f, 1}, {1200.0f, 9}, {1999.0f, 15}};
    for (const Case& c : cases)
        EXPECT_EQ(flip.FrameAt(c.elapsed), c.frame) << c.elapsed;
    EXPECT_EQ(GUI_FlipbookParticles(100, "x.dds", 1000.0f).GetFrameCount(), 64) << "the grid holds 64 frames";

    EXPECT_FALSE(flip.IsPlaying());
    flip.Play(100.0f, 200.0f, 5000.0f);
    flip.Draw(6200.0f, ParticleView{100.0f, 200.0f, 0.5f});
    EXPECT_TRUE(flip.IsPlaying());
    const PVertex* v = flip.GetSprite().m_vertices;
    EXPECT_FLOAT_EQ(v[0].u, 0.125f) << "frame 9 is column 1";
    EXPECT_FLOAT_EQ(v[0].v, 0.125f) << "and row 1";
    EXPECT_FLOAT_EQ(v[3].u, 0.25f);
    EXPECT_FLOAT_EQ(v[3].x - v[0].x, 128.0f) << "256 world units at zoom 0.5";
    flip.Draw(7000.0f, ParticleView{});
    EXPECT_FALSE(flip.IsPlaying());
    flip.Play(0.0f, 0.0f, 8000.0f);
    EXPECT_TRUE(flip.IsPlaying()) << "replaying restarts it";
}

using ParticlePicture = EffectsGLTest;

// Two emitters, one blended normally and one additively, after a few frames over a dark floor.
TEST_F(ParticlePicture, ParticlesMatchTheirReferencePicture)
{
    EngineTestFiles data;
    WriteSparkTexture(data);
    data.Write("particles/place_slot.txt",
               ParticleFile("place_slot", "InitialParticles = 60\nAlphaFalloff = 0.03\nSizeFalloff = 0.01\n"
                                          "SpeedFalloff = 0.05\nLifetime = 800\n"));
    data.Write("particles/sparks.txt",
               ParticleFile("sparks", "InitialParticles = 40\nAlphaFalloff = 0.02\nLifetime = 800\nType = ADDITIVE\n"));
    LoadParticleConfigs(data.Path("particles"));
    ASSERT_EQ(ParticleConfigList().size(), 2u);
    GUI_ParticleEmmiter* placed = SpawnPlaceSlotParticles(-120.0f, 0.0f);
    ASSERT_NE(placed, nullptr);
    GUI_ParticleEmmiter sparks(ParticleConfigList()[1].get(), 140.0f, 40.0f);
    const ParticleView view{0.0f, 0.0f, 0.75f};
    for (int frame = 0; frame < 12; ++frame)
    {
        PClock::AdvanceManual(16000000ull);
        GD3DDevice::Instance().GetDevice()->Clear(0xFF303438u);
        UpdateAndDrawParticleEmitters(view);
        sparks.UpdateAndDraw(view);
    }
    EXPECT_GT(placed->GetLiveCount(), 30);
    ExpectMatchesReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/toolkit/effects", "particles");
}
