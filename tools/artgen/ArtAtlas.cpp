// Atlas packing and the atlas table.
#include "ArtAtlas.h"

#include <stb_rect_pack.h>

#include <cstdio>

ArtAtlas::ArtAtlas(std::string textureName, int width, int height, int padding)
    : m_textureName(std::move(textureName)), m_width(width), m_height(height), m_padding(padding)
{
}

bool ArtAtlas::TryPack(int width, int height)
{
    std::vector<stbrp_rect> rects(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        rects[i].id = static_cast<int>(i);
        rects[i].w = m_entries[i].kept.Width() + 2 * m_padding;
        rects[i].h = m_entries[i].kept.Height() + 2 * m_padding;
    }
    std::vector<stbrp_node> nodes(static_cast<size_t>(width));
    stbrp_context context;
    stbrp_init_target(&context, width, height, nodes.data(), static_cast<int>(nodes.size()));
    if (!stbrp_pack_rects(&context, rects.data(), static_cast<int>(rects.size())))
        return false;
    for (const stbrp_rect& r : rects)
    {
        ArtAtlasEntry& e = m_entries[static_cast<size_t>(r.id)];
        e.packed = ArtRect{r.x + m_padding, r.y + m_padding, r.x + m_padding + e.kept.Width(),
                           r.y + m_padding + e.kept.Height()};
    }
    return true;
}

bool ArtAtlas::Pack()
{
    for (ArtAtlasEntry& e : m_entries)
        e.kept = e.trim ? ArtImage::OpaqueBounds(e.image) : ArtRect{0, 0, e.image.Width(), e.image.Height()};
    int width = m_width, height = m_height;
    bool packed = false;
    if (width > 0 && height > 0)
        packed = TryPack(width, height);
    else
    {
        // Grow the shorter side first: 64x64, 128x64, 128x128, 256x128 ...
        width = height = 64;
        while (width <= 4096 && height <= 4096 && !(packed = TryPack(width, height)))
        {
            if (width <= height)
                width *= 2;
            else
                height *= 2;
        }
    }
    if (!packed)
        return false;
    m_width = width;
    m_height = height;
    m_texture = ArtImage::Blank(width, height);
    for (const ArtAtlasEntry& e : m_entries)
    {
        ArtImage::Copy(e.image, e.kept, m_texture, e.packed.x0, e.packed.y0);
        ArtImage::Extrude(m_texture, e.packed.x0, e.packed.y0, e.packed.Width(), e.packed.Height(), m_padding);
    }
    return true;
}

std::string ArtAtlas::TableText() const
{
    std::string text = "[atlasdata]\n";
    char line[1024];
    for (const ArtAtlasEntry& e : m_entries)
    {
        const double fw = e.image.Width(), fh = e.image.Height();
        std::snprintf(line, sizeof(line), "%s = %s,%.6f,%.6f,%.6f,%.6f,%s,%.6f,%.6f,%.6f,%.6f\n", e.key.c_str(),
                      e.sprite.c_str(), e.packed.x0 / static_cast<double>(m_width),
                      e.packed.y0 / static_cast<double>(m_height), e.packed.x1 / static_cast<double>(m_width),
                      e.packed.y1 / static_cast<double>(m_height), m_textureName.c_str(), e.kept.x0 / fw,
                      e.kept.y0 / fh, e.kept.x1 / fw, e.kept.y1 / fh);
        text += line;
    }
    return text;
}
