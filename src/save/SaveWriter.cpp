// The savegame markup writer.
#include "save/SaveWriter.h"

#include "engine/core/GDebugLog.h"
#include "save/SaveText.h"
#include "sim/world/SIM_Tile.h"

SaveWriter::SaveWriter()
{
    // A busy factory writes a few megabytes; growing the buffer step by step would copy it often.
    m_out.reserve(1u << 20);
}

void SaveWriter::Open(std::string_view name)
{
    m_out += '<';
    m_out += name;
    m_out += ">\n";
}

void SaveWriter::Close(std::string_view name)
{
    m_out += "</";
    m_out += name;
    m_out += ">\n";
}

void SaveWriter::Leaf(std::string_view name, std::string_view raw)
{
    m_out += '<';
    m_out += name;
    m_out += '>';
    m_out += raw;
    m_out += "</";
    m_out += name;
    m_out += ">\n";
}

void SaveWriter::Text(std::string_view name, std::string_view value)
{
    m_out += '<';
    m_out += name;
    m_out += '>';
    AppendSafe(m_out, value);
    m_out += "</";
    m_out += name;
    m_out += ">\n";
}

void SaveWriter::Int(std::string_view name, long long value)
{
    std::string text;
    savetext::AppendInt(text, value);
    Leaf(name, text);
}

void SaveWriter::Real(std::string_view name, double value, int decimals)
{
    std::string text;
    savetext::AppendReal(text, value, decimals);
    Leaf(name, text);
}

void SaveWriter::TileXY(std::string_view xName, std::string_view yName, const SIM_Tile* tile)
{
    Int(xName, tile ? tile->m_gridX : -1);
    Int(yName, tile ? tile->m_gridY : -1);
}

void SaveWriter::Color(int r, int g, int b, int a)
{
    std::string text;
    AppendInt(text, r);
    AppendInt(text, g);
    AppendInt(text, b);
    savetext::AppendInt(text, a);
    Leaf("color", text);
}

void SaveWriter::AppendName(std::string& list, std::string_view name)
{
    AppendSafe(list, name);
    list += ',';
}

void SaveWriter::AppendInt(std::string& list, long long value)
{
    savetext::AppendInt(list, value);
    list += ',';
}

void SaveWriter::AppendReal(std::string& list, double value, int decimals)
{
    savetext::AppendReal(list, value, decimals);
    list += ',';
}

std::string SaveWriter::TakeOutput()
{
    std::string out;
    out.swap(m_out);
    return out;
}

void SaveWriter::AppendSafe(std::string& out, std::string_view text)
{
    for (const char c : text)
    {
        const bool unsafe = c == '<' || c == ',' || c == '"';
        if (!unsafe)
        {
            out += c;
            continue;
        }
        out += kReplacement;
        if (!m_replacementLogged)
        {
            m_replacementLogged = true;
            GDebugLog::Instance().Log("Save game: a name held a character the file cannot keep; it was replaced: " +
                                      std::string(text));
        }
    }
}
