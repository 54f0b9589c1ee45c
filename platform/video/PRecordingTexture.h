// A texture of the recording back end: its levels kept in memory as 32-bit ARGB pixels.
#pragma once

#include "platform/video/PRecordingState.h"
#include "platform/video/PTexture.h"

#include <memory>
#include <vector>

class PRecordingTexture : public PTexture
{
public:
    PRecordingTexture(std::shared_ptr<PRecordingState> state, int id, int width, int height, int levels, PFormat format,
                      bool renderTarget);
    ~PRecordingTexture() override;

    int GetLevelCount() const override { return static_cast<int>(m_levels.size()); }
    PResult GetLevelDesc(int level, int& width, int& height, PFormat& format) const override;
    PResult LockRect(int level, PLockedRect& locked) override;
    PResult LockRectForReading(int level, PLockedRect& locked) override;
    PResult UnlockRect(int level) override;
    bool IsRenderTarget() const override { return m_renderTarget; }

    int Id() const { return m_id; }
    // Fills the levels from a decoded picture (bytes R, G, B, A to B, G, R, A).
    void Fill(const PImage& image);

private:
    struct Level
    {
        int width, height;
        std::vector<uint8_t> bgra;
    };
    std::shared_ptr<PRecordingState> m_state;
    int m_id;
    PFormat m_format;
    bool m_renderTarget;
    int m_locked = -1;
    std::vector<Level> m_levels;
};
