// The rules the data checker holds interface pictures to: sizes the game draws at, cell grids,
// tintable pictures in grey, logo edges the main menu stretches.
#include "InterfaceTextures.h"
#include "ArtImage.h"

#include <gtest/gtest.h>

namespace
{
const InterfaceTexture& Rule(const std::string& name)
{
    for (const InterfaceTexture& t : InterfaceTextures::All())
        if (t.name == name)
            return t;
    static InterfaceTexture none{"none"};
    ADD_FAILURE() << name << " has no rule";
    return none;
}

PImage Picture(int w, int h, uint32_t rgba)
{
    PImage image = ArtImage::Blank(w, h);
    ArtImage::Fill(image, ArtRect{0, 0, w, h}, rgba);
    return image;
}
} // namespace

TEST(InterfaceTextures, PicturesAreHeldToWhatTheCodeAssumes)
{
    struct Case
    {
        const char* name;
        PImage image;
        const char* problem; // part of the expected finding, or null for none
    };
    PImage logo = Picture(999, 565, 0x202020FF);
    PImage badLogo = logo;
    ArtImage::Fill(badLogo, ArtRect{3, 100, 4, 101}, 0xFFFFFFFF);
    const Case cases[] = {
        {"gui_cash.dds", Picture(40, 40, 0xF0A020FF), nullptr},
        {"gui_cash.dds", Picture(32, 32, 0xF0A020FF), "draws it at 40x40"},
        {"gui_speeds.dds", Picture(256, 128, 0x202020FF), nullptr},
        {"gui_speeds.dds", Picture(250, 128, 0x202020FF), "not a grid of 4x2"},
        {"loadgame.dds", Picture(128, 96, 0x202020FF), "not square"},
        {"bubble.dds", Picture(30, 30, 0xC0C0C0FF), nullptr},
        {"bubble.dds", Picture(30, 30, 0xC0A0C0FF), "white or grey"},
        {"default_save.jpg", Picture(256, 256, 0x808080FF), "not landscape"},
        {"logo.png", logo, nullptr},
        {"logo.png", badLogo, "outer columns"},
    };
    for (const Case& c : cases)
    {
        const auto problems = InterfaceTextures::Problems(Rule(c.name), c.image);
        if (!c.problem)
        {
            EXPECT_TRUE(problems.empty()) << c.name << ": " << (problems.empty() ? "" : problems[0]);
            continue;
        }
        ASSERT_EQ(problems.size(), 1u) << c.name << " " << c.problem;
        EXPECT_NE(problems[0].find(c.problem), std::string::npos) << problems[0];
    }
}
