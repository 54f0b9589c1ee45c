// A vertex buffer of the recording back end.
#pragma once

#include "platform/video/PRecordingBufferData.h"
#include "platform/video/PVertexBuffer.h"

class PRecordingVertexBuffer : public PVertexBuffer
{
public:
    PRecordingVertexBuffer(std::shared_ptr<PRecordingState> state, int id, int size)
        : m_data(state, "vb#" + std::to_string(id), size), m_state(std::move(state))
    {
    }
    ~PRecordingVertexBuffer() override { m_state->log.push_back("Release " + m_data.Name()); }

    int GetSize() const override { return m_data.Size(); }
    PResult Lock(int offset, int size, void** data, uint32_t flags) override
    {
        return m_data.Lock(offset, size, data, flags);
    }
    PResult Unlock() override { return m_data.Unlock(); }
    const PRecordingBufferData& Data() const { return m_data; }

private:
    PRecordingBufferData m_data;
    std::shared_ptr<PRecordingState> m_state;
};
