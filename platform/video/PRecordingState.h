// What the recording graphics back end was told to do and what it answers: tests set the answers
// (capabilities, display modes, failures) and read back every call the renderer made, in order.
#pragma once

#include "platform/video/PGraphicsTypes.h"
#include "platform/video/PImage.h"
#include "platform/video/PRecordingTextCheck.h"

#include <memory>
#include <string>
#include <vector>

struct PRecordingDraw
{
    bool indexed = false;
    PPrimitive type = PPrimitive::TriangleList;
    int primitives = 0;
    int texture = 0; // id of the texture on stage 0 ("tex#N"), 0 when none
    std::vector<PVertex> vertices;
};

struct PRecordingState
{
    // Answers.
    bool failCreateSystem = false;
    PResult adapterIdentifierResult = PRES_OK;
    PAdapterIdentifier adapterIdentifier{"Recorder", "Recording graphics", "recording"};
    PResult capsResult = PRES_OK;
    PDeviceCaps caps{false, false, 1, PShaderVersion(3, 0), true, 8192};
    PDisplayMode desktopMode{1920, 1080, 60, static_cast<uint32_t>(PFormat::X8R8G8B8)};
    std::vector<PDisplayMode> displayModes;
    int createDeviceFailures = 0; // the next N device creations fail
    PResult createDeviceFailure = PRES_NOTAVAILABLE;
    PResult checkDeviceFormatResult = PRES_OK;
    int windowWidth = 800, windowHeight = 600; // the back buffer of a windowed device
    PResult beginSceneResult = PRES_OK;
    PResult endSceneResult = PRES_OK;
    PResult presentResult = PRES_OK;
    PResult readBackBufferResult = PRES_OK;
    PImage backBuffer; // returned by ReadBackBuffer; a grey picture of the back-buffer size when empty
    PResult createTextureResult = PRES_OK;
    PResult createVertexBufferResult = PRES_OK;
    PResult createIndexBufferResult = PRES_OK;
    PResult lockResult = PRES_OK;
    PResult drawResult = PRES_OK;
    // Whether draws keep their vertices; benchmarks that only count draws turn it off.
    bool recordVertices = true;

    // Record.
    std::vector<std::string> log;
    std::vector<PRecordingDraw> draws;
    PPresentParams lastPresentParams;
    // Whether text stays inside its windows (off unless a test turns it on; Clear keeps it).
    PRecordingTextCheck textCheck;
    int nextObjectId = 1;

    // Entries of the log that start with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& line : log)
            if (line.rfind(prefix, 0) == 0)
                out.push_back(line);
        return out;
    }
    void Clear()
    {
        log.clear();
        draws.clear();
    }
};
