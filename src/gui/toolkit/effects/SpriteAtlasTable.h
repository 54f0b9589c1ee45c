// The table of images packed into atlas textures: a name gives the atlas texture and where the
// image lies in it. Code that wants an image by name asks here first and falls back to a plain
// texture of that name, so a picture can move into or out of an atlas without a code change.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class CTexturedSprite;

struct SpriteAtlasEntry
{
    std::string spriteName;
    std::string atlasTexture;
    // The image's rectangle in the atlas in texture coordinates: left, top, right, bottom.
    float uMin = 0.0f, vMin = 0.0f, uMax = 0.0f, vMax = 0.0f;
    // The image's rectangle in pixels; only its width and height are used.
    float xMin = 0.0f, yMin = 0.0f, xMax = 0.0f, yMax = 0.0f;
};

class SpriteAtlasTable
{
public:
    static constexpr const char* kDefaultFolder = "data/bitmaps/atlases";

    // The process-wide table, read from the atlas folder on first use. Main thread.
    static SpriteAtlasTable& Instance();

    // Appends the entries of every "*.atl" file of the folder, in listing order.
    void LoadFolder(const std::string& folder);
    // Appends the entries of one atlas file's "atlasdata" section, in file order.
    void LoadFile(const std::string& path);
    // Empties the table (tests load their own folders).
    void Clear();

    // The first entry read under exactly this name, or null.
    const SpriteAtlasEntry* Find(const std::string& spriteName) const;
    const std::vector<SpriteAtlasEntry>& Entries() const { return m_entries; }

    // One "atlasdata" value: sprite name, uMin, vMin, uMax, vMax, atlas texture, xMin, yMin,
    // xMax, yMax. Missing names read as empty, missing or malformed numbers as 0.
    static SpriteAtlasEntry ParseEntry(const std::string& value);

private:
    friend class GLifetime; // the program's owner creates it, read from the atlas folder
    SpriteAtlasTable();

    std::vector<SpriteAtlasEntry> m_entries;
    // Name to the index of its first entry: sprites are built by the hundred when a factory loads.
    std::unordered_map<std::string, size_t> m_index;
};

// Makes sure the game's table exists; its creation reads every atlas of the atlas folder once.
void LoadSpriteAtlases();
// The first entry of that name in the game's table, or null.
const SpriteAtlasEntry* FindAtlasEntry(const std::string& spriteName);
// Points the sprite at the atlas image of that name and returns true; an unknown name gives the
// sprite the plain texture of that name and returns false. The sprite's size and place stay.
bool ApplyAtlasToSprite(CTexturedSprite& sprite, const std::string& name);
// Re-targets a sprite that already names a plain texture to that picture's atlas image, fitting
// the image undistorted inside the sprite's previous size around the same centre.
void RemapSpriteToAtlas(CTexturedSprite& sprite);
