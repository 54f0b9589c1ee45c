// Scratch files for the engine tests.
#include "tests/engine/core/EngineTestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

EngineTestFiles::EngineTestFiles()
{
    char tmpl[] = "/tmp/fv_engine_test_XXXXXX";
    const char* made = mkdtemp(tmpl);
    m_folder = made ? made : "/tmp";
}

EngineTestFiles::~EngineTestFiles()
{
    std::error_code ec;
    if (m_folder != "/tmp")
        std::filesystem::remove_all(m_folder, ec);
}

std::string EngineTestFiles::Write(const std::string& name, const std::string& content) const
{
    std::string path = Path(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return path;
}

std::string EngineTestFiles::ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string EngineTestFiles::ToCrLf(const std::string& text)
{
    std::string out;
    for (char c : text)
    {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}
