// Shared set-up of the rendering tests: the device on the recording back end with the logs in a
// scratch folder, or on OpenGL in a hidden window when a display can be opened.
#pragma once

#include "platform/video/PImage.h"
#include "platform/video/PRecordingState.h"
#include "tests/engine/core/EngineTestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Tears down every rendering singleton so the next test starts clean.
void RenderResetAll();

// Recording device, logs open in a scratch folder.
class RecordingRenderTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the device (windowed, 800 x 600 back buffer); false when Init failed.
    bool InitDevice(bool windowed = true);
    std::string ErrorLog() const;
    std::string DrawDebugLog() const;
    std::string DebugLog() const;
    // The error-log lines' messages (the text after " - ").
    std::vector<std::string> ErrorMessages() const;

    std::shared_ptr<PRecordingState> m_rec;
    EngineTestFiles m_files;
};

// A hidden SDL window with an OpenGL device of width x height; skips the test without a display.
class GLRenderTest : public ::testing::Test
{
public:
    // Compares a read-back picture with the stored reference at path: at most one pixel in 200 may
    // differ by more than tolerance in a colour channel (the software rasterizer may round an edge
    // differently; a misplaced sprite moves far more). With FV_WRITE_REFERENCES set it writes the
    // reference instead.
    static void CompareWithReference(const PImage& picture, const std::string& path, int tolerance = 24);

protected:
    void SetUp() override;
    void TearDown() override;
    // Reads the back buffer (rows from the top, bytes R, G, B, A).
    PImage ReadBack();
    // Pixel at (x, y) of a read-back picture as 0xAARRGGBB.
    static uint32_t Pixel(const PImage& image, int x, int y);
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    // The window's size; a test that draws a larger scene asks for a larger window.
    virtual int ViewWidth() const { return kWidth; }
    virtual int ViewHeight() const { return kHeight; }
    void* m_window = nullptr;
    EngineTestFiles m_files;
};
