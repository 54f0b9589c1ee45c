// The savegame strip shared by the load and save dialogs.
#include "gui/screens/saves/GUI_SaveStripBase.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GTextureManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/saves/SaveThumbnails.h"
#include "save/SIM_LoadGame.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace
{
// The leading number of a piece of text, as the header's date is read: 0 when there is none.
int SaveStripLeadingInt(const std::string& text)
{
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

std::vector<std::string> SaveStripSplit(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

std::vector<std::string> SaveStripWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}
} // namespace

GUI_SaveStripBase::GUI_SaveStripBase(const std::string& path, SaveThumbnails& thumbnails)
    : m_thumbnails(thumbnails), m_path(path), m_name(NameOf(path)), m_dateLabel(GTextTable::GetText("LOADGAME_DATE")),
      m_missionLabel(GTextTable::GetText("LOADGAME_MISSION"))
{
    std::string missionName;
    // An unreadable header leaves the date and the mission empty; the reader logs why.
    SIM_LoadGame::Instance().ReadHeader(m_dateText, missionName, m_name);
    m_stamp = ParseDate(m_dateText);
    if (const SIM_Mission* mission = SIM_MissionManager::Instance().GetMission(missionName))
        m_missionText = mission->m_guiName;
}

GUI_SaveStripBase::~GUI_SaveStripBase() = default;

std::string GUI_SaveStripBase::NameOf(const std::string& path)
{
    std::string name = path.size() >= 4 ? path.substr(0, path.size() - 4) : std::string();
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

SaveDate GUI_SaveStripBase::ParseDate(const std::string& dateText)
{
    SaveDate stamp;
    stamp.day = stamp.month = stamp.year = 0;
    const std::vector<std::string> dayMonthYear = SaveStripSplit(dateText, '/');
    int* const dateParts[3] = {&stamp.day, &stamp.month, &stamp.year};
    for (size_t i = 0; i < 3 && i < dayMonthYear.size(); ++i)
        *dateParts[i] = SaveStripLeadingInt(dayMonthYear[i]);
    const std::vector<std::string> words = SaveStripWords(dateText);
    if (words.size() >= 4)
    {
        const std::vector<std::string> time = SaveStripSplit(words[3], ':');
        if (!time.empty())
            stamp.hour = SaveStripLeadingInt(time[0]);
        if (time.size() >= 2)
            stamp.minute = SaveStripLeadingInt(time[1]);
    }
    return stamp;
}

bool GUI_SaveStripBase::ListsBefore(const GUI_SaveStripBase& a, const GUI_SaveStripBase& b)
{
    const SaveDate& x = a.m_stamp;
    const SaveDate& y = b.m_stamp;
    const int left[5] = {x.year, x.month, x.day, x.hour, x.minute};
    const int right[5] = {y.year, y.month, y.day, y.hour, y.minute};
    for (int i = 0; i < 5; ++i)
        if (left[i] != right[i])
            return left[i] > right[i];
    return a.m_name < b.m_name;
}

std::vector<std::string> GUI_SaveStripBase::FindSaves(const std::string& folder)
{
    std::vector<std::string> paths;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    {
        if (!it->is_regular_file(ec))
            continue;
        std::string extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".xml")
            paths.push_back(folder + "/" + it->path().filename().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

void GUI_SaveStripBase::SortRows(std::vector<std::unique_ptr<GUI_WindowBase>>& rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const std::unique_ptr<GUI_WindowBase>& a, const std::unique_ptr<GUI_WindowBase>& b) {
                         return ListsBefore(static_cast<const GUI_SaveStripBase&>(*a),
                                            static_cast<const GUI_SaveStripBase&>(*b));
                     });
}

void GUI_SaveStripBase::LoadThumbnail()
{
    m_thumbnailLoaded = true;
    const std::string picturePath = m_path.substr(0, m_path.size() >= 4 ? m_path.size() - 4 : 0) + ".jpg";
    std::error_code ec;
    m_picture = std::filesystem::exists(picturePath, ec) ? m_thumbnails.Get(picturePath) : nullptr;
    if (!m_picture)
    {
        m_defaultSprite.SetTextureName("default_save.jpg");
        return;
    }
    const SaveThumbnailCrop crop = SaveThumbnails::CropFor(m_picture->width, m_picture->height);
    PVertex* v = m_pictureSprite.m_vertices;
    v[0].u = v[2].u = crop.u0;
    v[1].u = v[3].u = crop.u1;
    v[0].v = v[1].v = crop.v0;
    v[2].v = v[3].v = crop.v1;
}

const BaseSprite& GUI_SaveStripBase::GetThumbnailSprite() const
{
    return m_picture ? m_pictureSprite : static_cast<const BaseSprite&>(m_defaultSprite);
}

void GUI_SaveStripBase::Layout()
{
    m_inner = PRect{m_left + 4, m_top + 4, m_right - 4, m_bottom - 4};
    const float side = static_cast<float>(m_inner.bottom - m_inner.top - 2);
    BaseSprite* sprites[2] = {&m_pictureSprite, &m_defaultSprite};
    for (BaseSprite* sprite : sprites)
    {
        sprite->m_width = side;
        sprite->m_height = side;
        sprite->SetPosition(static_cast<float>(m_inner.left + 1) + side / 2.0f,
                            static_cast<float>(m_top + m_bottom) / 2.0f);
    }
}

void GUI_SaveStripBase::Draw()
{
    if (!m_thumbnailLoaded)
        LoadThumbnail();
    GD3DDevice& device = GD3DDevice::Instance();
    const bool over = IsMouseOver();
    device.FillRect(m_inner, over ? 0xFFFFFFFFu : 0xFFC8C8C8u);
    device.DrawRectLines(m_inner, over ? 0xFF1B1B1Bu : 0xFF363636u);
    if (m_picture)
    {
        GTextureManager::Instance().BindTexture(&m_picture->texture);
        m_pictureSprite.Draw();
    }
    else
        m_defaultSprite.Draw();
    DrawChildren();

    const BaseSprite& sprite = GetThumbnailSprite();
    float right = sprite.m_vertices[0].x;
    for (const PVertex& v : sprite.m_vertices)
        right = std::max(right, v.x);
    const float x = right + 10.0f;
    const float y = static_cast<float>(m_top + 10);
    const float textEnd = static_cast<float>(m_left + m_width - 50);
    GFontManager& fonts = GFontManager::Instance();
    fonts.Print(m_name, 0xFF000000u, x, y, 0.0f, 0);
    fonts.Print(m_dateLabel, 0xFF000000u, x, y + 16.0f, 0.0f, 0);
    fonts.Print(m_dateText, 0xFF000000u, x, y + 16.0f, textEnd - x, 1);
    fonts.Print(m_missionLabel, 0xFF000000u, x, y + 32.0f, 0.0f, 0);
    fonts.Print(m_missionText, 0xFF000000u, x, y + 32.0f, textEnd - x, 1);
}
