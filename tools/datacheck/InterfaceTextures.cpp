// The interface picture rules and their checks.
#include "InterfaceTextures.h"

#include <cstdlib>
#include <cstring>

const std::vector<InterfaceTexture>& InterfaceTextures::All()
{
    auto sized = [](const std::string& name, int w, int h) {
        InterfaceTexture t{name};
        t.width = w;
        t.height = h;
        return t;
    };
    auto square = [](const std::string& name) {
        InterfaceTexture t{name};
        t.square = true;
        return t;
    };
    auto grey = [](InterfaceTexture t) {
        t.grey = true;
        return t;
    };
    auto grid = [](const std::string& name, int cols, int rows, bool squareCells) {
        InterfaceTexture t{name};
        t.cols = cols;
        t.rows = rows;
        t.square = squareCells;
        return t;
    };
    static const std::vector<InterfaceTexture> all = [&] {
        std::vector<InterfaceTexture> v;
        InterfaceTexture logo{"logo.png"};
        logo.flatEdges = true;
        v.push_back(logo);
        v.push_back(grey(sized("loading_gear.dds", 32, 32)));
        v.push_back(sized("button_chevron.png", 256, 0));
        v.push_back(grey(square("close_button.dds")));
        v.push_back(sized("checkbox.dds", 26, 26));
        v.push_back(sized("slider_bar.dds", 31, 31));
        for (const char* s : {"gui_scrollup.dds", "gui_scrollup_h.dds", "gui_scrolldown.dds", "gui_scrolldown_h.dds"})
            v.push_back(square(s));
        v.push_back(grey(square("money_pie.dds")));
        v.push_back(sized("gui_cash.dds", 40, 40));
        v.push_back(sized("gui_power.dds", 40, 40));
        v.push_back(grid("gui_speeds.dds", 4, 2, false));
        for (const char* m : {"menu", "options", "save", "research", "slots", "car", "efficiency"})
        {
            v.push_back(sized(std::string("menu_") + m + ".dds", 38, 38));
            v.push_back(sized(std::string("menu_") + m + "_h.dds", 38, 38));
        }
        v.push_back(grey(sized("bubble.dds", 30, 30)));
        v.push_back(grid("loadgame.dds", 2, 2, true));
        InterfaceTexture save{"default_save.jpg"};
        save.landscape = true;
        v.push_back(save);
        v.push_back(grey(square("gui_expense.dds")));
        v.push_back(grey(InterfaceTexture{"null_texture.dds"}));
        v.push_back(square("module_locked.dds"));
        v.push_back(square("gui_tick.dds"));
        v.push_back(square("gui_cross.dds"));
        v.push_back(sized("list_expand.dds", 14, 14));
        v.push_back(sized("list_collapse.dds", 14, 14));
        v.push_back(sized("notice_warning.dds", 32, 32));
        v.push_back(sized("notice_error.dds", 32, 32));
        v.push_back(grey(sized("32pxcircle.dds", 32, 32)));
        v.push_back(grey(square("slot_delete.dds")));
        return v;
    }();
    return all;
}

std::vector<std::string> InterfaceTextures::Problems(const InterfaceTexture& rule, const PImage& image)
{
    std::vector<std::string> out;
    const int w = image.Width(), h = image.Height();
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    if ((rule.width && w != rule.width) || (rule.height && h != rule.height))
        out.push_back("is " + size + ", the game draws it at " + std::to_string(rule.width) + "x" +
                      (rule.height ? std::to_string(rule.height) : std::string("any height")));
    if (w % rule.cols != 0 || h % rule.rows != 0)
        out.push_back("is " + size + ", not a grid of " + std::to_string(rule.cols) + "x" + std::to_string(rule.rows) +
                      " equal cells");
    else if (rule.square && w / rule.cols != h / rule.rows)
        out.push_back("is " + size + ", its cells are not square");
    if (rule.landscape && w <= h)
        out.push_back("is " + size + ", not landscape");
    const auto& px = image.levels[0].rgba;
    if (rule.grey)
        for (size_t i = 0; i + 3 < px.size(); i += 4)
            if (px[i + 3] > 0 && (std::abs(px[i] - px[i + 1]) > 2 || std::abs(px[i] - px[i + 2]) > 2))
            {
                out.push_back("has coloured pixels, but the game tints it and needs white or grey");
                break;
            }
    if (rule.flatEdges)
    {
        const int edge = (w + 99) / 100;
        for (int y = 0; y < h && out.empty(); ++y)
            for (int x = 1; x < edge; ++x)
            {
                const uint8_t* row = &px[static_cast<size_t>(y) * w * 4];
                if (std::memcmp(row, row + x * 4, 4) != 0 ||
                    std::memcmp(row + (w - 1) * 4, row + (w - 1 - x) * 4, 4) != 0)
                {
                    out.push_back("its outer columns change along row " + std::to_string(y) +
                                  ", but the game stretches them to the screen edges");
                    break;
                }
            }
    }
    return out;
}

std::vector<std::string> InterfaceTextures::CursorProblems(const std::vector<uint8_t>& b)
{
    auto u16 = [&b](size_t at) { return at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : -1; };
    auto u32 = [&b](size_t at) -> int64_t {
        return at + 4 <= b.size() ? static_cast<int64_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) |
                                        static_cast<int64_t>(b[at + 3]) << 24
                                  : -1;
    };
    if (u16(0) != 0 || u16(2) != 2 || u16(4) < 1)
        return {"is not a cursor file"};
    const int w = b[6] ? b[6] : 256, h = b[7] ? b[7] : 256;
    const int hotX = u16(10), hotY = u16(12);
    const int64_t bytes = u32(14), offset = u32(18);
    if (bytes <= 0 || offset < 22 || offset + bytes > static_cast<int64_t>(b.size()))
        return {"cursor image lies outside the file"};
    if (hotX < 0 || hotY < 0 || hotX >= w || hotY >= h)
        return {"hot spot lies outside the cursor"};
    std::vector<std::string> out;
    if (hotX != w / 2 || hotY != h / 2)
        out.push_back("hot spot is not the centre of the cursor");
    return out;
}
