// Shared helpers of the effects and chart tests: pictures made in memory, the drawing fixtures with
// every effects table reset between tests, and comparison with stored reference pictures.
#pragma once

#include "platform/video/PImage.h"
#include "tests/engine/RenderTestSupport.h"

#include <cstdint>
#include <functional>
#include <string>

// A picture of width x height whose pixel (x, y) is the ARGB value the function gives.
PImage MakePicture(int width, int height, const std::function<uint32_t(int x, int y)>& argb);
// Pixel (x, y) of a picture's first level as ARGB.
uint32_t PictureArgb(const PImage& image, int x, int y);
// Reads and decodes a picture file; an empty picture when it cannot.
PImage LoadPicture(const std::string& path);

// Compares a read-back picture with reference/<name>.png beside the test that calls it: at most
// one pixel in 200 may differ by more than the tolerance in any channel. With FV_WRITE_REFERENCES
// set the reference is written instead.
void ExpectMatchesReference(const PImage& picture, const std::string& folder, const std::string& name,
                            int tolerance = 24);

// Puts every effects table, list and cache back to its empty state.
void ResetEffectsState();

// The recording device, with the shared batch made and the effects state reset.
class EffectsRecordingTest : public RecordingRenderTest
{
protected:
    void SetUp() override;
    void TearDown() override;
};

// OpenGL in a hidden window, with the shared batch made and the effects state reset; the clock
// and the random table are fixed so pictures come out the same every run.
class EffectsGLTest : public GLRenderTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    std::string DebugLog() const { return EngineTestFiles::ReadAll(m_files.Path("debug/debug.txt")); }
    std::string ErrorLog() const { return EngineTestFiles::ReadAll(m_files.Path("debug/errors.txt")); }
};
