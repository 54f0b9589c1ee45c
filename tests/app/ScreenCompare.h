// Screenshots of the real game compared with stored pictures: both are shrunk to 160 x 128 by
// averaging, so a comparison looks at what is where and not at the noise of a picture's
// compression or of a blinking caret. FV_WRITE_REFERENCES set stores the picture instead.
#pragma once

#include "platform/video/PImage.h"
#include "platform/video/PImageCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace gameprocess
{
inline PImage ShrinkScreenshot(const PImage& picture)
{
    constexpr int kW = 160, kH = 128;
    PImage small;
    small.levels.resize(1);
    PImageLevel& out = small.levels[0];
    out.width = kW;
    out.height = kH;
    out.rgba.assign(static_cast<size_t>(kW * kH * 4), 0);
    const int w = picture.Width(), h = picture.Height();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
        {
            int sum[4] = {0, 0, 0, 0}, n = 0;
            for (int sy = y * h / kH; sy < (y + 1) * h / kH; ++sy)
                for (int sx = x * w / kW; sx < (x + 1) * w / kW; ++sx, ++n)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += picture.levels[0].rgba[static_cast<size_t>((sy * w + sx) * 4 + c)];
            for (int c = 0; c < 4; ++c)
                out.rgba[static_cast<size_t>((y * kW + x) * 4 + c)] = static_cast<uint8_t>(n ? sum[c] / n : 0);
        }
    return small;
}

// How many of the shrunk picture's areas differ from the stored one by more than the colour
// step in any channel; -1 when there is no stored picture of that size.
inline int CountDifferingAreas(const PImage& small, const std::string& referencePath, int colourStep = 24)
{
    std::vector<uint8_t> refBytes;
    PImage reference;
    if (!PImageCodec::ReadFile(referencePath, refBytes) ||
        !PImageCodec::Decode(refBytes.data(), refBytes.size(), reference) || reference.Width() != small.Width() ||
        reference.Height() != small.Height())
        return -1;
    int differing = 0;
    for (size_t i = 0; i + 3 < small.levels[0].rgba.size(); i += 4)
        for (size_t c = 0; c < 3; ++c)
            if (std::abs(small.levels[0].rgba[i + c] - reference.levels[0].rgba[i + c]) > colourStep)
            {
                ++differing;
                break;
            }
    return differing;
}

// Compares a picture with the stored one of that name under tests/app/reference: at most one
// area in a hundred may differ.
inline void CompareWithReference(const PImage& picture, const std::string& name)
{
    const PImage small = ShrinkScreenshot(picture);
    const std::string path = std::string(FV_TEST_DIR) + "/app/reference/" + name + ".png";
    if (std::getenv("FV_WRITE_REFERENCES") != nullptr)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(PImageCodec::SaveToFile(path, small, PImageFileFormat::Png)) << path;
        return;
    }
    const int differing = CountDifferingAreas(small, path);
    ASSERT_GE(differing, 0) << "no stored picture " << path;
    // Kept in the test's report, to see how far pictures drift between runs.
    ::testing::Test::RecordProperty(name + "_differing_areas", differing);
    EXPECT_LE(differing, 160 * 128 / 100) << name << ": " << differing << " of 20480 areas differ";
}

// The same for a screenshot file the game wrote.
inline void CompareScreenshotFile(const std::filesystem::path& shot, const std::string& name)
{
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(PImageCodec::ReadFile(shot.string(), bytes)) << shot;
    PImage picture;
    ASSERT_TRUE(PImageCodec::Decode(bytes.data(), bytes.size(), picture)) << shot;
    CompareWithReference(picture, name);
}
} // namespace gameprocess
