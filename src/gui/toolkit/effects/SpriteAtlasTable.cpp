// Atlas files, the name table and pointing sprites at packed images.
#include "gui/toolkit/effects/SpriteAtlasTable.h"

#include "engine/CTexturedSprite.h"
#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"

namespace
{
void SetAtlasCorners(CTexturedSprite& sprite, const SpriteAtlasEntry& entry)
{
    PVertex* v = sprite.m_vertices;
    v[0].u = entry.uMin;
    v[0].v = entry.vMin;
    v[1].u = entry.uMax;
    v[1].v = entry.vMin;
    v[2].u = entry.uMin;
    v[2].v = entry.vMax;
    v[3].u = entry.uMax;
    v[3].v = entry.vMax;
}
} // namespace

SpriteAtlasTable& SpriteAtlasTable::Instance()
{
    return GLifetime::Get<SpriteAtlasTable>();
}

SpriteAtlasTable::SpriteAtlasTable()
{
    LoadFolder(kDefaultFolder);
}

SpriteAtlasEntry SpriteAtlasTable::ParseEntry(const std::string& value)
{
    GStringTokenizer fields(value, ',');
    SpriteAtlasEntry e;
    e.spriteName = fields.GetString();
    e.uMin = fields.GetFloat();
    e.vMin = fields.GetFloat();
    e.uMax = fields.GetFloat();
    e.vMax = fields.GetFloat();
    e.atlasTexture = fields.GetString();
    e.xMin = fields.GetFloat();
    e.yMin = fields.GetFloat();
    e.xMax = fields.GetFloat();
    e.yMax = fields.GetFloat();
    return e;
}

void SpriteAtlasTable::LoadFile(const std::string& path)
{
    IniLoader ini;
    if (!ini.Load("atlasdata", path))
        return;
    for (const IniPair& pair : ini.GetPairs())
    {
        // Values longer than an atlas line can be are cut where the reader always cut them.
        SpriteAtlasEntry entry = ParseEntry(pair.value.substr(0, 2048));
        m_index.emplace(entry.spriteName, m_entries.size());
        m_entries.push_back(std::move(entry));
    }
}

void SpriteAtlasTable::LoadFolder(const std::string& folder)
{
    GFileList files;
    files.Find(folder + "/*.atl");
    for (const std::string& path : files.GetFiles())
        LoadFile(path);
}

void SpriteAtlasTable::Clear()
{
    m_entries.clear();
    m_index.clear();
}

const SpriteAtlasEntry* SpriteAtlasTable::Find(const std::string& spriteName) const
{
    auto it = m_index.find(spriteName);
    return it == m_index.end() ? nullptr : &m_entries[it->second];
}

void LoadSpriteAtlases()
{
    // Creating the table reads the folder; it is read once per run.
    SpriteAtlasTable::Instance();
}

const SpriteAtlasEntry* FindAtlasEntry(const std::string& spriteName)
{
    return SpriteAtlasTable::Instance().Find(spriteName);
}

bool ApplyAtlasToSprite(CTexturedSprite& sprite, const std::string& name)
{
    const SpriteAtlasEntry* entry = FindAtlasEntry(name);
    if (!entry)
    {
        sprite.SetTexture(name);
        return false;
    }
    sprite.SetTexture(entry->atlasTexture);
    SetAtlasCorners(sprite, *entry);
    return true;
}

void RemapSpriteToAtlas(CTexturedSprite& sprite)
{
    const SpriteAtlasEntry* entry = FindAtlasEntry(sprite.m_texture.GetName());
    if (!entry)
        return;
    float centreX = 0.0f, centreY = 0.0f;
    for (const PVertex& v : sprite.m_vertices)
    {
        centreX += v.x * 0.25f;
        centreY += v.y * 0.25f;
    }
    sprite.SetTexture(entry->atlasTexture);
    SetAtlasCorners(sprite, *entry);
    // The image keeps its own proportions inside the sprite's old box: the side along which the
    // image is relatively longer stays, the other shrinks. An entry without an area keeps the box.
    const float imageW = entry->xMax - entry->xMin, imageH = entry->yMax - entry->yMin;
    if (imageW > 0.0f && imageH > 0.0f)
    {
        if (imageH * sprite.m_height > imageW * sprite.m_width)
            sprite.m_width = sprite.m_height * imageW / imageH;
        else
            sprite.m_height = sprite.m_width * imageH / imageW;
    }
    sprite.SetPosition(centreX, centreY);
}
