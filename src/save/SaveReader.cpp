// The checked savegame reader.
#include "save/SaveReader.h"

#include <algorithm>

#include "engine/core/GDebugLog.h"
#include "save/SaveCommaList.h"
#include "save/SaveText.h"
#include "sim/SIM_Game.h"
#include "sim/world/SIM_Factory.h"

void SaveReader::Reset(std::string data)
{
    m_data = std::move(data);
    m_position = 0;
    m_hadError = false;
    m_boxShown = false;
    m_longTagLogged = false;
    m_dropped = 0;
    m_logged = 0;
    m_scopes.clear();
}

bool SaveReader::NextTag(std::string_view& text, bool& tooLong, size_t& tagStart)
{
    const size_t size = m_data.size();
    const size_t lt = m_position < size ? m_data.find('<', m_position) : std::string::npos;
    const size_t gt = lt == std::string::npos ? std::string::npos : m_data.find('>', lt + 1);
    if (gt == std::string::npos)
    {
        m_position = size;
        return false;
    }
    tagStart = lt;
    const size_t start = lt + 1;
    m_position = gt + 1;
    tooLong = gt - start > kMaxTagText;
    text = std::string_view(m_data).substr(start, std::min(gt - start, kMaxTagText));
    return true;
}

bool SaveReader::ClosesAt(size_t at, std::string_view name) const
{
    return name.size() < kMaxTagText && m_data.size() - at >= name.size() + 3 && m_data[at] == '<' &&
           m_data[at + 1] == '/' && m_data.compare(at + 2, name.size(), name) == 0 &&
           m_data[at + 2 + name.size()] == '>';
}

namespace
{
// Whether a tag's text is "name" (or "/name" for a closing tag), without building the text.
bool IsTag(std::string_view text, std::string_view name, bool closing)
{
    if (!closing)
        return text == name;
    return text.size() == name.size() + 1 && text.front() == '/' && text.substr(1) == name;
}
} // namespace

bool SaveReader::FindTag(std::string_view name)
{
    return Find(name, false);
}

bool SaveReader::Find(std::string_view name, bool closing)
{
    std::string_view text;
    bool tooLong = false;
    size_t tagStart = 0;
    while (NextTag(text, tooLong, tagStart))
    {
        if (tooLong)
        {
            if (!m_longTagLogged)
            {
                m_longTagLogged = true;
                LogDropped("Save game: a tag longer than 127 characters was passed over");
            }
            continue;
        }
        if (IsTag(text, name, closing))
            return true;
        if (!m_scopes.empty() && IsTag(text, m_scopes.back(), true))
        {
            // The item ends here: what it should have held is missing, and its end stays for EndItem.
            m_position = tagStart;
            break;
        }
    }
    ReportError(std::string("missing tag: ") + (closing ? "/" : "") + std::string(name));
    return false;
}

std::string SaveReader::PeekTag()
{
    const size_t saved = m_position;
    std::string_view text;
    bool tooLong = false;
    size_t tagStart = 0;
    std::string result;
    if (NextTag(text, tooLong, tagStart) && !tooLong)
        result.assign(text);
    m_position = saved;
    return result;
}

bool SaveReader::FindClosing(std::string_view name)
{
    return Find(name, true);
}

std::string_view SaveReader::Value(std::string_view name)
{
    if (!FindTag(name))
        return {};
    return LeafValue(name);
}

bool SaveReader::OptionalValue(std::string_view name, std::string_view& value)
{
    const size_t saved = m_position;
    std::string_view text;
    bool tooLong = false;
    size_t tagStart = 0;
    if (!NextTag(text, tooLong, tagStart) || tooLong || text != name)
    {
        m_position = saved;
        return false;
    }
    value = LeafValue(name);
    return true;
}

std::string_view SaveReader::LeafValue(std::string_view name)
{
    const size_t start = m_position;
    const size_t lt = m_data.find('<', start);
    const size_t end = lt == std::string::npos ? m_data.size() : lt;
    m_position = end;
    // The closing tag right behind the value, as every leaf the game writes has it, is taken
    // where it stands; anything else is searched for.
    if (ClosesAt(end, name))
        m_position = end + name.size() + 3;
    else
        FindClosing(name);
    return std::string_view(m_data).substr(start, end - start);
}

std::string SaveReader::BoundedText(std::string_view name, size_t limit, const char* what, bool damaged)
{
    const std::string_view text = savetext::TrimTrailing(Value(name));
    if (text.size() <= limit)
        return std::string(text);
    const std::string line = "Save game: " + savetext::Quote(name) + " holds " + std::to_string(text.size()) +
                             " characters, more than any " + what + " the game has; passed over";
    if (damaged)
        LogDropped(line);
    else
        Note(line);
    return {};
}

std::string SaveReader::NameList(std::string_view name)
{
    return BoundedText(name, kMaxText, "list", true);
}

const std::string& SaveReader::NextName(SaveCommaList& list, std::string_view what)
{
    const std::string& name = list.Next();
    if (!list.CutItem().empty())
        LogDropped("Save game: " + std::string(what) + " [" + savetext::Quote(list.CutItem()) +
                   "] is longer than any name the game has; left out");
    return name;
}

void SaveReader::LogReplaced(std::string_view what, std::string_view text, const std::string& replacement)
{
    LogDropped("Save game: " + std::string(what) + " [" + savetext::Quote(savetext::TrimTrailing(text)) +
               "] is no value the game could hold; taken as " + replacement);
}

bool SaveReader::CheckedReal(std::string_view what, std::string_view text, double lo, double hi, double& value)
{
    return CheckedReal(what, text, lo, hi, std::clamp(savetext::ParseReal(text), lo, hi), value);
}

bool SaveReader::CheckedReal(std::string_view what, std::string_view text, double lo, double hi, double replacement,
                             double& value)
{
    if (savetext::ParseWholeReal(text, value) && value >= lo && value <= hi)
        return true;
    value = replacement;
    std::string shown;
    savetext::AppendReal(shown, value, 2);
    LogReplaced(what, text, shown);
    return false;
}

double SaveReader::PlayedReal(std::string_view name, double lo, double hi)
{
    double value = 0.0;
    CheckedReal(name, Value(name), lo, hi, value);
    return value;
}

int SaveReader::PlayedInt(std::string_view name, int lo, int hi)
{
    const std::string_view text = Value(name);
    int value = 0;
    if (savetext::ParseWholeInt(text, value) && value >= lo && value <= hi)
        return value;
    value = std::clamp(savetext::ParseInt(text), lo, hi);
    LogReplaced(name, text, std::to_string(value));
    return value;
}

std::string SaveReader::Text(std::string_view name)
{
    return BoundedText(name, kMaxText, "value");
}

std::string SaveReader::Name(std::string_view name)
{
    return BoundedText(name, kMaxName, "name");
}

int SaveReader::Int(std::string_view name)
{
    return savetext::ParseInt(Value(name));
}

bool SaveReader::WholeInt(std::string_view name, int& value)
{
    return savetext::ParseWholeInt(Value(name), value);
}

bool SaveReader::TileXY(std::string_view xName, std::string_view yName, int& x, int& y)
{
    // Both are read, so that the position ends behind the second whatever the first held.
    const bool xRead = WholeInt(xName, x);
    const bool yRead = WholeInt(yName, y);
    return xRead && yRead;
}

float SaveReader::Float(std::string_view name)
{
    return savetext::ParseFloat(Value(name));
}

double SaveReader::Double(std::string_view name)
{
    return savetext::ParseReal(Value(name));
}

float SaveReader::Coordinate(std::string_view name)
{
    constexpr float kMaxCoordinate = 16777216.0f;
    return std::clamp(Float(name), -kMaxCoordinate, kMaxCoordinate);
}

void SaveReader::Color(int rgba[4])
{
    SaveCommaList items(Value("color"));
    for (int i = 0; i < 4; ++i)
        rgba[i] = std::clamp(items.NextInt(), 0, 255);
}

int SaveReader::IntInRange(std::string_view name, int lo, int hi, int fallback)
{
    const int value = Int(name);
    if (value >= lo && value <= hi)
        return value;
    LogDropped("Save game: " + std::string(name) + " " + std::to_string(value) + " is out of range");
    return fallback;
}

bool SaveReader::NextItem(std::string_view list, std::string_view item)
{
    if (PeekTag() == item && FindTag(item))
    {
        m_scopes.emplace_back(item);
        return true;
    }
    FindClosing(list);
    return false;
}

void SaveReader::EndItem(std::string_view item)
{
    if (!m_scopes.empty())
        m_scopes.pop_back();
    FindClosing(item);
}

bool SaveReader::OptionalElement(std::string_view name)
{
    if (PeekTag() != name)
        return false;
    return FindTag(name);
}

SIM_Tile* SaveReader::TileAt(int x, int y)
{
    SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    return factory ? factory->GetTile(x, y) : nullptr;
}

namespace
{
// A log line no longer than the reader's limit, whatever a message quoted.
std::string BoundedLine(const std::string& message)
{
    if (message.size() <= SaveReader::kMaxLogLine)
        return message;
    return message.substr(0, SaveReader::kMaxLogLine) + "... (" + std::to_string(message.size()) + " characters)";
}
} // namespace

void SaveReader::ReportError(const std::string& message)
{
    const std::string line = BoundedLine(message);
    // Once a section is lost every later tag is missing too; the first lines tell the story.
    if (!m_boxShown && m_showErrorBox)
    {
        m_boxShown = true;
        FV_ERROR_BOX(line);
    }
    else if (m_logged < kMaxLoggedLines)
    {
        GDebugLog::Instance().LogError(line);
    }
    ++m_logged;
    m_hadError = true;
}

void SaveReader::ReportBadValue(const std::string& message)
{
    LogDropped(message);
}

void SaveReader::LogDropped(const std::string& message)
{
    ++m_dropped;
    if (m_logged < kMaxLoggedLines)
    {
        const std::string line = BoundedLine(message);
        GDebugLog::Instance().Log(line);
        // The player is pointed to the error log for what a load left out.
        if (m_showErrorBox)
            GDebugLog::Instance().LogError(line);
    }
    ++m_logged;
}

void SaveReader::LogUnlisted()
{
    if (m_logged <= kMaxLoggedLines)
        return;
    const std::string line =
        "Save game: " + std::to_string(m_logged - kMaxLoggedLines) + " more problems of this save were not listed";
    GDebugLog::Instance().Log(line);
    if (m_showErrorBox)
        GDebugLog::Instance().LogError(line);
}

void SaveReader::Note(const std::string& message)
{
    if (m_logged < kMaxLoggedLines)
        GDebugLog::Instance().Log(BoundedLine(message));
    ++m_logged;
}
