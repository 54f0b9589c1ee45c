// One picture that shows everything a run of the art tool made, each output over a checkerboard
// (so its alpha shows) with its name underneath: the overview a reviewer looks at.
#pragma once

#include "platform/video/PImage.h"

#include <string>
#include <vector>

class ArtContactSheet
{
public:
    explicit ArtContactSheet(std::string title) : m_title(std::move(title)) {}

    void Add(const std::string& label, const PImage& image) { m_items.push_back({label, image}); }
    PImage Build() const;

    // Draws text with the built-in bitmap font at (x, y), scale 1 or more.
    static void DrawText(PImage& image, int x, int y, const std::string& text, uint32_t rgba, int scale);

private:
    struct Item
    {
        std::string label;
        PImage image;
    };
    std::string m_title;
    std::vector<Item> m_items;
};
