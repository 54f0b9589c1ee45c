// Packs many pictures into one atlas texture (stb_rect_pack) and writes the atlas table the game
// reads: one "key = sprite,uMin,vMin,uMax,vMax,texture,xMin,yMin,xMax,yMax" line per picture,
// the last four being the fractions of the untrimmed frame that the packed part covers.
#pragma once

#include "ArtImage.h"

#include <string>
#include <utility>
#include <vector>

struct ArtAtlasEntry
{
    std::string key;
    std::string sprite; // the name the game looks up
    PImage image;
    bool trim = false; // cut away fully transparent borders before packing
    // Filled by Pack:
    ArtRect packed; // where the (trimmed) picture sits in the atlas texture, in pixels
    ArtRect kept;   // the part of the original frame that was packed
};

class ArtAtlas
{
public:
    // width or height 0: the smallest power-of-two size (up to 4096) that holds everything.
    ArtAtlas(std::string textureName, int width, int height, int padding);

    void Add(ArtAtlasEntry entry) { m_entries.push_back(std::move(entry)); }
    // Places every entry and draws the texture; false when they do not fit.
    bool Pack();

    const PImage& Texture() const { return m_texture; }
    // The atlas table text for the packed entries.
    std::string TableText() const;

private:
    bool TryPack(int width, int height);

    std::string m_textureName;
    int m_width, m_height, m_padding;
    std::vector<ArtAtlasEntry> m_entries;
    PImage m_texture;
};
