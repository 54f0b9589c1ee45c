// A whole disk file held in memory with a read cursor: data files that several loaders read
// section by section are read from disk once, and the texture loader hands the bytes to the
// image decoder.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

class GBufferedFile
{
public:
    static constexpr int64_t MAX_SIZE = 1073741824; // one gibibyte; larger files read as empty
    static constexpr size_t MAX_LINE = 2047;

    GBufferedFile() = default;
    virtual ~GBufferedFile();
    GBufferedFile(const GBufferedFile&) = delete;
    GBufferedFile& operator=(const GBufferedFile&) = delete;

    // Reads the file at path into memory. Every failure leaves an empty file at its end,
    // reported through the logs.
    void Load(const std::string& path);
    // Back to the first byte.
    void Rewind();
    // Reads one line (ended by LF, or CR LF; a lone CR stays in the line; the end of the data
    // ends the last line) of at most maxChars characters: the rest of a longer line is
    // skipped. False when nothing was left to read.
    bool ReadLine(std::string& line, size_t maxChars = MAX_LINE);
    // Copies up to count bytes from the cursor; returns how many.
    size_t Read(void* out, size_t count);

    bool AtEnd() const { return m_end; }
    const unsigned char* GetData() const { return m_data; }
    int GetSize() const { return m_size; }
    const std::string& GetPath() const { return m_path; }

private:
    void Clear();

    unsigned char* m_data = nullptr;
    unsigned char* m_readPtr = nullptr;
    int m_position = 0;
    int m_size = 0;
    bool m_end = false;
    std::string m_path;
    FILE* m_stream = nullptr;
};
