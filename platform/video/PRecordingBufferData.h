// Memory and lock bookkeeping shared by the recording back end's vertex and index buffers.
#pragma once

#include "platform/video/PRecordingState.h"

#include <memory>
#include <string>
#include <vector>

class PRecordingBufferData
{
public:
    PRecordingBufferData(std::shared_ptr<PRecordingState> state, std::string name, int size)
        : m_state(std::move(state)), m_name(std::move(name)), m_bytes(static_cast<size_t>(size), 0)
    {
    }

    const std::string& Name() const { return m_name; }
    int Size() const { return static_cast<int>(m_bytes.size()); }
    const uint8_t* Bytes() const { return m_bytes.data(); }

    PResult Lock(int offset, int size, void** data, uint32_t flags)
    {
        std::string how = flags & PLOCK_DISCARD ? "discard" : (flags & PLOCK_NOOVERWRITE ? "nooverwrite" : "0");
        m_state->log.push_back("Lock " + m_name + " " + std::to_string(offset) + " " + std::to_string(size) + " " +
                               how);
        if (!data)
            return PRES_INVALIDCALL;
        *data = nullptr;
        if (PFailed(m_state->lockResult))
            return m_state->lockResult;
        if (size == 0)
            size = Size() - offset;
        if (m_locked || offset < 0 || size <= 0 || offset > Size() || size > Size() - offset)
            return PRES_INVALIDCALL;
        m_locked = true;
        *data = m_bytes.data() + offset;
        return PRES_OK;
    }

    PResult Unlock()
    {
        m_state->log.push_back("Unlock " + m_name);
        if (!m_locked)
            return PRES_INVALIDCALL;
        m_locked = false;
        return PRES_OK;
    }

private:
    std::shared_ptr<PRecordingState> m_state;
    std::string m_name;
    std::vector<uint8_t> m_bytes;
    bool m_locked = false;
};
