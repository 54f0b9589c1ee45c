// The stores props look animations up in: simple animations and compiled ".anim" descriptions.
#include "gui/toolkit/effects/GUI_AnimationManager.h"
#include "gui/toolkit/effects/GUI_SimpleAnimationManager.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

class AnimationStoreTest : public EffectsRecordingTest
{
protected:
    EngineTestFiles m_data;
};

TEST_F(AnimationStoreTest, SimpleAnimationsAreReadOnFirstLookupAndFoundByExactName)
{
    m_data.Write("simpleanims/a_lamp.txt", "[config]\nName = lamp\n[frames]\n"
                                           "f0 = lamp_on.dds,500\n"
                                           "/f1 = commented.dds,10\n"
                                           "f2 = lamp_off.dds\n"
                                           "bare line\n"
                                           "f3 = lamp_dim.dds  ,12.5\n");
    m_data.Write("simpleanims/b_lamp_again.txt", "[config]\nName = lamp\n[frames]\nf0 = other.dds,1\n");
    m_data.Write("simpleanims/c_empty.txt", "nothing here\n");
    GUI_SimpleAnimationManager& store = GUI_SimpleAnimationManager::Instance();
    store.SetFolder(m_data.Path("simpleanims"));
    SimpleAnimation* lamp = store.FindAnimation("lamp");
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(store.GetCount(), 3u) << "a file without sections stays in the store";
    ASSERT_EQ(lamp->frames.size(), 4u) << "the first of two files with the same name";
    EXPECT_EQ(lamp->frames[0].textureName, "lamp_on.dds");
    EXPECT_FLOAT_EQ(lamp->frames[0].duration, 500.0f);
    EXPECT_EQ(lamp->frames[1].textureName, "lamp_off.dds");
    EXPECT_FLOAT_EQ(lamp->frames[1].duration, 0.0f) << "no comma, no duration";
    EXPECT_EQ(lamp->frames[2].textureName, "") << "a line without '=' has no value";
    EXPECT_EQ(lamp->frames[3].textureName, "lamp_dim.dds");
    EXPECT_FLOAT_EQ(lamp->frames[3].duration, 12.5f);
    EXPECT_EQ(store.FindAnimation("Lamp"), nullptr);
}

TEST_F(AnimationStoreTest, CompiledDescriptionsAreReadFrameByFrameInFileOrder)
{
    m_data.Write("anims/a_robot.txt.anim", "[config]\nname = robot\nspritesheet = robot.dds\n"
                                           "atlas_width = 512\natlas_height = 128\n"
                                           "particles = weld_flip.dds,16,2000,1,2,3,4\n"
                                           "[section1]\nname = Lean In\nstartframe = 0\nendframe = 1\n"
                                           "[frame10]\nimages = 64\n0 = 64\n63 = 127\n"
                                           "[mysection_frame]\nimages = 64\n5 = 5\n"
                                           "[frame2]\nimages = 64\n1 = 70\n"
                                           "[section2]\nname = Weld\nstartframe = 1\nendframe = 2\n"
                                           "[sschunks]\n5 = 0,0,64,64\n64 = 64,0,128,64\n127 = 128,0,192,64\n"
                                           "70 = 256,64,320,128\n");
    GUI_CompressedAnimation anim;
    ASSERT_TRUE(anim.Load(m_data.Path("anims/a_robot.txt.anim")));
    EXPECT_EQ(anim.GetName(), "robot");
    EXPECT_EQ(anim.GetSpriteSheetName(), "robot.dds");
    EXPECT_EQ(anim.GetParticles(), "weld_flip.dds,16,2000,1,2,3,4");
    ASSERT_EQ(anim.GetFrameCount(), 3);
    // frame10 comes first in the file, so it is frame 0; mysection_frame is a frame.
    const CompressedAnimFrame& first = anim.GetFrame(0);
    EXPECT_EQ(first.cells[0], 64);
    EXPECT_EQ(first.cells[63], 127);
    for (int p = 1; p < 63; ++p)
        EXPECT_EQ(first.cells[static_cast<size_t>(p)], -1) << p;
    EXPECT_EQ(anim.GetFrame(1).cells[5], 5);
    EXPECT_EQ(anim.GetFrame(2).cells[1], 70);
    ASSERT_EQ(anim.GetSections().size(), 2u);
    EXPECT_EQ(anim.FindSection("Weld")->startFrame, 1);
    EXPECT_EQ(anim.FindSection("Lean In")->endFrame, 1);
    EXPECT_EQ(anim.FindSection("lean in"), nullptr);

    const CompressedAnimChunk* chunk = anim.FindChunk(70);
    ASSERT_NE(chunk, nullptr);
    EXPECT_FLOAT_EQ(chunk->uMin, 0.5f);
    EXPECT_FLOAT_EQ(chunk->vMin, 0.5f);
    EXPECT_FLOAT_EQ(chunk->uMax, 0.625f);
    EXPECT_FLOAT_EQ(chunk->vMax, 1.0f);

    // Past either end a prop gets a frame that draws nothing; an unknown chunk is reported.
    for (int bad : {3, -1, 1000})
        for (int32_t cell : anim.GetFrame(bad).cells)
            EXPECT_EQ(cell, -1) << bad;
    EXPECT_EQ(anim.FindChunk(4), nullptr);
    EXPECT_NE(ErrorLog().find("Invalid comrpessed animation chuink requested"), std::string::npos);
}

TEST_F(AnimationStoreTest, UnusableDescriptionsAreLeftOutOfTheStore)
{
    const std::string good = "[config]\nname = %s\nspritesheet = s.dds\natlas_width = 64\natlas_height = 64\n"
                             "[frame0]\n0 = 0\n[sschunks]\n0 = 0,0,8,8\n";
    auto named = [&](const char* name) {
        std::string text = good;
        text.replace(text.find("%s"), 2, name);
        return text;
    };
    m_data.Write("anims/a.txt.anim", named("arm"));
    m_data.Write("anims/b.txt.anim", named("arm") + "[frame1]\n0 = 0\n"); // a second "arm" of two frames
    m_data.Write("anims/c.txt.anim", "[config]\nname = no_frames\natlas_width = 64\natlas_height = 64\n[sschunks]\n");
    m_data.Write("anims/d.txt.anim", "[config]\nname = no_size\n[frame0]\n0 = 0\n[sschunks]\n0 = 0,0,8,8\n");
    m_data.Write("anims/e.txt.anim", "[config]\nname = dangling\natlas_width = 64\natlas_height = 64\n"
                                     "[frame0]\n0 = 0\n1 = 99\n[sschunks]\n0 = 0,0,8,8\n");
    m_data.Write("anims/f.txt", named("source_only"));
    GUI_AnimationManager& store = GUI_AnimationManager::Instance();
    store.LoadAnimations(m_data.Path("anims"));
    EXPECT_EQ(store.GetCount(), 3u);
    ASSERT_NE(store.Find("arm"), nullptr);
    EXPECT_EQ(store.Find("arm")->GetFrameCount(), 1) << "the first loaded of two with the same name";
    EXPECT_EQ(store.Find("no_frames"), nullptr);
    EXPECT_EQ(store.Find("no_size"), nullptr);
    GUI_CompressedAnimation* dangling = store.Find("dangling");
    ASSERT_NE(dangling, nullptr);
    EXPECT_EQ(dangling->GetFrame(0).cells[0], 0);
    EXPECT_EQ(dangling->GetFrame(0).cells[1], -1) << "a cell naming no stored chunk draws nothing";
    EXPECT_NE(ErrorLog().find("Missing Animation: [no_frames]"), std::string::npos);

    // Loaded once per run: a later call with animations in the store reads nothing.
    m_data.Write("anims/g.txt.anim", named("late"));
    store.LoadAnimations(m_data.Path("anims"));
    EXPECT_EQ(store.GetCount(), 3u);
}
