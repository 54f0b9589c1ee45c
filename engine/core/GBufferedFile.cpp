// A whole disk file held in memory with a read cursor.
#include "engine/core/GBufferedFile.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GStringUtils.h"

#include <cstdlib>
#include <cstring>

GBufferedFile::~GBufferedFile()
{
    Clear();
}

void GBufferedFile::Clear()
{
    if (m_stream)
        fclose(m_stream);
    m_stream = nullptr;
    free(m_data);
    m_data = nullptr;
    m_readPtr = nullptr;
    m_position = 0;
    m_size = 0;
    m_end = false;
    m_path.clear();
}

void GBufferedFile::Load(const std::string& path)
{
    Clear();
    if (path.empty())
        GDebugLog::Instance().LogError("GBufferedFile invalid file path");
    m_stream = path.empty() ? nullptr : GFile::Open(path, "rb");
    if (!m_stream)
    {
        GDebugLog::Instance().Log(FormatString("GBufferedFile failed to open file [%s]", path.c_str()));
        m_end = true;
        return;
    }
    long long size = -1;
    if (fseeko(m_stream, 0, SEEK_END) == 0)
        size = static_cast<long long>(ftello(m_stream));
    if (size >= 0 && fseeko(m_stream, 0, SEEK_SET) != 0)
        size = -1;
    if (size < 0 || size > MAX_SIZE)
    {
        // A folder or a stream that cannot be measured is as unreadable as an oversized file.
        GDebugLog::Instance().LogError(
            FormatString("GBufferedFile cannot read [%s]: a folder, or larger than 1 GB", path.c_str()));
        fclose(m_stream);
        m_stream = nullptr;
        m_end = true;
        return;
    }
    m_data = static_cast<unsigned char*>(malloc(size > 0 ? static_cast<size_t>(size) : 1));
    if (!m_data)
    {
        GDebugLog::Instance().LogError(
            FormatString("GBufferedFile has no memory for the %lld bytes of [%s]", size, path.c_str()));
        fclose(m_stream);
        m_stream = nullptr;
        m_end = true;
        return;
    }
    size_t got = size > 0 ? fread(m_data, 1, static_cast<size_t>(size), m_stream) : 0;
    fclose(m_stream);
    m_stream = nullptr;
    // A short read (the file shrank, a read error) keeps only the bytes really read, so
    // no reader ever sees uninitialised memory as file content.
    m_size = static_cast<int>(got);
    m_readPtr = m_data;
    m_position = 0;
    m_end = m_size < 1;
    m_path = path;
}

void GBufferedFile::Rewind()
{
    m_readPtr = m_data;
    m_position = 0;
    m_end = m_size < 1;
}

bool GBufferedFile::ReadLine(std::string& line, size_t maxChars)
{
    line.clear();
    if (m_end || !m_data || m_position >= m_size)
    {
        m_end = true;
        return false;
    }
    const unsigned char* start = m_data + m_position;
    const size_t left = static_cast<size_t>(m_size - m_position);
    const void* lf = memchr(start, '\n', left);
    size_t length = lf ? static_cast<size_t>(static_cast<const unsigned char*>(lf) - start) : left;
    size_t consumed = lf ? length + 1 : length;
    // CR LF ends a line like LF; a CR anywhere else stays in the line.
    if (lf && length > 0 && start[length - 1] == '\r')
        --length;
    line.assign(reinterpret_cast<const char*>(start), length < maxChars ? length : maxChars);
    int pos = m_position + static_cast<int>(consumed);
    m_position = pos;
    m_readPtr = m_data + pos;
    if (m_position >= m_size)
        m_end = true;
    return true;
}

size_t GBufferedFile::Read(void* out, size_t count)
{
    if (!m_data || m_position >= m_size || !out)
    {
        m_end = true;
        return 0;
    }
    size_t left = static_cast<size_t>(m_size - m_position);
    size_t n = count < left ? count : left;
    memcpy(out, m_readPtr, n);
    m_position += static_cast<int>(n);
    m_readPtr = m_data + m_position;
    if (m_position >= m_size)
        m_end = true;
    return n;
}
