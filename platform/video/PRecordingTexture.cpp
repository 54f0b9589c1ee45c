// Recording textures.
#include "platform/video/PRecordingTexture.h"

PRecordingTexture::PRecordingTexture(std::shared_ptr<PRecordingState> state, int id, int width, int height, int levels,
                                     PFormat format, bool renderTarget)
    : m_state(std::move(state)), m_id(id), m_format(format), m_renderTarget(renderTarget)
{
    for (int l = 0; l < levels; ++l)
    {
        const int w = width >> l > 0 ? width >> l : 1, h = height >> l > 0 ? height >> l : 1;
        m_levels.push_back({w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4, 0)});
    }
}

PRecordingTexture::~PRecordingTexture()
{
    m_state->log.push_back("ReleaseTexture tex#" + std::to_string(m_id));
}

PResult PRecordingTexture::GetLevelDesc(int level, int& width, int& height, PFormat& format) const
{
    if (level < 0 || level >= GetLevelCount())
        return PRES_INVALIDCALL;
    width = m_levels[static_cast<size_t>(level)].width;
    height = m_levels[static_cast<size_t>(level)].height;
    format = m_format;
    return PRES_OK;
}

PResult PRecordingTexture::LockRect(int level, PLockedRect& locked)
{
    m_state->log.push_back("LockRect tex#" + std::to_string(m_id) + " " + std::to_string(level));
    if (level < 0 || level >= GetLevelCount() || m_locked >= 0)
        return PRES_INVALIDCALL;
    if (PFailed(m_state->lockResult))
        return m_state->lockResult;
    m_locked = level;
    locked.pitch = m_levels[static_cast<size_t>(level)].width * 4;
    locked.bits = m_levels[static_cast<size_t>(level)].bgra.data();
    return PRES_OK;
}

PResult PRecordingTexture::LockRectForReading(int level, PLockedRect& locked)
{
    return LockRect(level, locked);
}

PResult PRecordingTexture::UnlockRect(int level)
{
    m_state->log.push_back("UnlockRect tex#" + std::to_string(m_id) + " " + std::to_string(level));
    if (m_locked != level)
        return PRES_INVALIDCALL;
    m_locked = -1;
    return PRES_OK;
}

void PRecordingTexture::Fill(const PImage& image)
{
    m_levels.clear();
    for (const PImageLevel& level : image.levels)
    {
        Level l{level.width, level.height, std::vector<uint8_t>(level.rgba.size())};
        for (size_t i = 0; i + 3 < level.rgba.size(); i += 4)
        {
            l.bgra[i] = level.rgba[i + 2];
            l.bgra[i + 1] = level.rgba[i + 1];
            l.bgra[i + 2] = level.rgba[i];
            l.bgra[i + 3] = level.rgba[i + 3];
        }
        m_levels.push_back(std::move(l));
    }
}
