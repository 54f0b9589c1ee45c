// Picture operations of the art tool: reading rendered pictures, cleaning their alpha, trimming,
// scaling and copying. Everything is integer or fixed-order float work, so the same input always
// gives the same bytes.
#pragma once

#include "platform/video/PImage.h"

#include <string>

struct ArtRect
{
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // x1, y1 exclusive
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
};

class ArtImage
{
public:
    static PImage Blank(int width, int height);
    // Reads a picture file of any format the game reads; an empty image when it cannot.
    static PImage Load(const std::string& path);

    // Gives every fully transparent pixel the colour of its nearest visible neighbours, so that
    // filtering at an edge never blends in black.
    static void BleedColour(PImage& image);
    // Makes every pixel white, keeping its alpha: pictures the game tints.
    static void MakeWhite(PImage& image);
    // Smallest rectangle holding every pixel with alpha; the whole picture when none has any.
    static ArtRect OpaqueBounds(const PImage& image);
    static bool IsOpaque(const PImage& image);

    // Copies src's rectangle to dst at (x, y); pixels outside dst are dropped.
    static void Copy(const PImage& src, const ArtRect& from, PImage& dst, int x, int y);
    // Repeats the outer pixels of the rectangle at (x, y, w, h) of dst outward by pad pixels.
    static void Extrude(PImage& dst, int x, int y, int w, int h, int pad);
    // Box-filtered resize (both directions), for reductions; nearest neighbour for enlargements.
    static PImage Resize(const PImage& src, int width, int height);
    // Draws src over dst at (x, y) with alpha blending.
    static void Over(const PImage& src, PImage& dst, int x, int y);
    static void Fill(PImage& dst, const ArtRect& rect, uint32_t rgba);
};
