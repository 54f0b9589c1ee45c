// The job the art driver hands to the packer: a plain text list, one directive per line, fields
// separated by tabs (see README.md). Running it writes every output picture, atlas table and
// contact sheet.
#pragma once

#include <string>
#include <vector>

class ArtJob
{
public:
    // Reads the job text; false (with a message) on the first malformed line.
    bool Parse(const std::string& text, std::string& error);
    // Writes every output under root; returns the number of failures, each printed to stderr.
    int Run() const;

    struct Options
    {
        bool white = false;     // tintable: every pixel white, alpha kept
        bool bleed = true;      // colour transparent pixels from their visible neighbours
        bool mips = false;      // DDS with a full mip chain
        bool trim = false;      // atlas entry: cut transparent borders
        bool down = false;      // grid: frames run down each column
        int hotX = 0, hotY = 0; // cursor hot spot
    };
    struct Source
    {
        std::string key, sprite, path;
        Options options;
    };
    struct Output
    {
        enum class Kind
        {
            Picture,
            Atlas,
            Grid,
        } kind = Kind::Picture;
        std::string dest;      // picture, grid or atlas texture, relative to root
        std::string tableDest; // atlas table, relative to root
        std::string format;
        int width = 0, height = 0, padding = 0, cols = 0, rows = 0;
        Options options;
        std::vector<Source> sources;
        size_t group = 0;
    };
    struct Group
    {
        std::string title, sheetPath;
    };

    const std::vector<Output>& Outputs() const { return m_outputs; }

private:
    std::string m_root = ".";
    std::vector<Group> m_groups;
    std::vector<Output> m_outputs;
};
