// Scratch files for the engine tests: each test writes its input files into a fresh folder.
#pragma once
#include <string>

class EngineTestFiles
{
public:
    EngineTestFiles();
    ~EngineTestFiles();
    EngineTestFiles(const EngineTestFiles&) = delete;
    EngineTestFiles& operator=(const EngineTestFiles&) = delete;

    // Writes content (bytes as given) to name inside the folder; returns the full path.
    std::string Write(const std::string& name, const std::string& content) const;
    std::string Path(const std::string& name) const { return m_folder + "/" + name; }
    const std::string& Folder() const { return m_folder; }
    static std::string ReadAll(const std::string& path);
    // The same text with every LF turned into CR LF.
    static std::string ToCrLf(const std::string& text);

private:
    std::string m_folder;
};
