// The contact sheet: a shelf layout of every output, large pictures in wider cells.
#include "ArtContactSheet.h"

#include "ArtImage.h"

#include <algorithm>
#include <cmath>
#include <utility>

// The bitmap font header defines helpers this file does not call.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_easy_font.h>
#pragma GCC diagnostic pop

namespace
{
constexpr int kSheetWidth = 1600;
constexpr int kCell = 144;     // box side of a small picture
constexpr int kWideCell = 384; // box width of a large picture
constexpr int kLabelHeight = 26;
constexpr int kGap = 12;
constexpr uint32_t kBackground = 0x1C2126FF;
constexpr uint32_t kCheckerA = 0x59616BFF;
constexpr uint32_t kCheckerB = 0x7A838DFF;
constexpr uint32_t kLabel = 0xDDE3E8FF;

// Fits the picture into a box: enlarged by a whole factor when small, reduced when large.
PImage FitInto(const PImage& image, int boxW, int boxH)
{
    const int w = image.Width(), h = image.Height();
    if (w <= boxW && h <= boxH)
    {
        const int k = std::max(1, std::min({boxW / w, boxH / h, 4}));
        return k == 1 ? image : ArtImage::Resize(image, w * k, h * k);
    }
    const double s = std::min(static_cast<double>(boxW) / w, static_cast<double>(boxH) / h);
    return ArtImage::Resize(image, std::max(1, static_cast<int>(w * s)), std::max(1, static_cast<int>(h * s)));
}
} // namespace

void ArtContactSheet::DrawText(PImage& image, int x, int y, const std::string& text, uint32_t rgba, int scale)
{
    static char buffer[60000];
    std::string copy = text;
    const int quads = stb_easy_font_print(0, 0, copy.data(), nullptr, buffer, sizeof(buffer));
    const float* v = reinterpret_cast<const float*>(buffer);
    for (int q = 0; q < quads; ++q)
    {
        // Four vertices of 16 bytes (x, y, z, colour) per quad; the quads are axis-aligned.
        const float* p = v + q * 16;
        const int x0 = static_cast<int>(std::lround(p[0])), y0 = static_cast<int>(std::lround(p[1]));
        const int x1 = static_cast<int>(std::lround(p[8])), y1 = static_cast<int>(std::lround(p[9]));
        ArtImage::Fill(image, ArtRect{x + x0 * scale, y + y0 * scale, x + x1 * scale, y + y1 * scale}, rgba);
    }
}

PImage ArtContactSheet::Build() const
{
    struct Placed
    {
        int x, y, boxW, boxH;
        const Item* item;
    };
    std::vector<Placed> placed;
    int x = kGap, y = 56, rowHeight = 0;
    for (const Item& item : m_items)
    {
        const bool wide = item.image.Width() > kCell || item.image.Height() > kCell;
        int boxW = wide ? kWideCell : kCell;
        int boxH = kCell;
        if (wide)
            boxH = std::min(kWideCell, std::max(kCell, item.image.Height() * boxW / std::max(1, item.image.Width())));
        if (x + boxW + kGap > kSheetWidth)
        {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        placed.push_back({x, y, boxW, boxH, &item});
        x += boxW + kGap;
        rowHeight = std::max(rowHeight, boxH + kLabelHeight);
    }
    const int height = y + rowHeight + kGap;
    PImage sheet = ArtImage::Blank(kSheetWidth, height);
    ArtImage::Fill(sheet, ArtRect{0, 0, kSheetWidth, height}, kBackground);
    DrawText(sheet, kGap, 14, m_title, kLabel, 3);
    for (const Placed& p : placed)
    {
        for (int cy = 0; cy < p.boxH; cy += 8)
            for (int cx = 0; cx < p.boxW; cx += 8)
                ArtImage::Fill(
                    sheet, ArtRect{p.x + cx, p.y + cy, p.x + std::min(cx + 8, p.boxW), p.y + std::min(cy + 8, p.boxH)},
                    ((cx + cy) / 8) % 2 ? kCheckerA : kCheckerB);
        const PImage fitted = FitInto(p.item->image, p.boxW, p.boxH);
        ArtImage::Over(fitted, sheet, p.x + (p.boxW - fitted.Width()) / 2, p.y + (p.boxH - fitted.Height()) / 2);
        std::string label = p.item->label;
        const size_t perLine = static_cast<size_t>(p.boxW / 6);
        DrawText(sheet, p.x, p.y + p.boxH + 3, label.substr(0, perLine), kLabel, 1);
        if (label.size() > perLine)
            DrawText(sheet, p.x, p.y + p.boxH + 14, label.substr(perLine, perLine), kLabel, 1);
    }
    return sheet;
}
