// The tech tree's arrangement on its own: depth columns, depth-first rows, sizes, scroll maxima,
// which boxes count as in view, and trees damaged by a loop or a missing item.
#include "gui/screens/research/TechTreeLayout.h"
#include "gui/screens/research/GUI_TechTreeEntry.h"
#include "sim/research/SIM_Researchable.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
// A research list written as "name<prerequisite" entries, linked as the loader links them.
class Forest
{
public:
    explicit Forest(const std::vector<std::string>& spec)
    {
        for (const std::string& entry : spec)
        {
            const size_t cut = entry.find('<');
            auto item = std::make_unique<SIM_Researchable>();
            item->m_name = entry.substr(0, cut);
            if (cut != std::string::npos)
                item->m_prerequisiteName = entry.substr(cut + 1);
            m_byName[item->m_name] = item.get();
            items.push_back(item.get());
            m_owned.push_back(std::move(item));
        }
        for (SIM_Researchable* item : items)
            if (!item->m_prerequisiteName.empty())
            {
                item->m_prerequisite = m_byName.at(item->m_prerequisiteName);
                item->m_prerequisite->m_children.push_back(item);
            }
    }
    SIM_Researchable* operator[](const std::string& name) { return m_byName.at(name); }

    std::vector<SIM_Researchable*> items;

private:
    std::vector<std::unique_ptr<SIM_Researchable>> m_owned;
    std::map<std::string, SIM_Researchable*> m_byName;
};

struct Case
{
    const char* what;
    std::vector<std::string> forest;
    // column,row per item in list order; -1,-1 for an item left out.
    std::vector<std::pair<int, int>> cells;
    int rowsUsed;
    int maxColumn;
};

TEST(TechTreeLayout, ColumnsAreDepthsAndRowsGoDepthFirst)
{
    const std::vector<Case> cases = {
        {"no items", {}, {}, 0, 0},
        {"three roots stack in list order", {"a", "b", "c"}, {{0, 0}, {0, 1}, {0, 2}}, 3, 0},
        {"the first dependent shares its prerequisite's row",
         {"root", "A<root", "A1<A", "B<root"},
         {{0, 0}, {1, 0}, {2, 0}, {1, 1}},
         2,
         2},
        {"a deep sub-tree pushes the next sibling below all of it",
         {"root", "A<root", "A1<A", "A2<A", "A1x<A1", "A1y<A1", "B<root", "next"},
         {{0, 0}, {1, 0}, {2, 0}, {2, 2}, {3, 0}, {3, 1}, {1, 3}, {0, 4}},
         5,
         3},
        {"dependents listed before their prerequisite are placed under it",
         {"late<early", "early"},
         {{1, 0}, {0, 0}},
         1,
         1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Forest forest(c.forest);
        const TechTreeLayout::Result r = TechTreeLayout::Compute(forest.items);
        ASSERT_EQ(r.columns.size(), c.cells.size());
        for (size_t i = 0; i < c.cells.size(); ++i)
        {
            EXPECT_EQ(r.columns[i], c.cells[i].first) << c.forest[i];
            EXPECT_EQ(r.rows[i], c.cells[i].second) << c.forest[i];
        }
        EXPECT_EQ(r.rowsUsed, c.rowsUsed);
        EXPECT_EQ(r.maxColumn, c.maxColumn);
        // Always one row more than the rows used; as wide as the deepest column.
        EXPECT_FLOAT_EQ(r.contentHeight, static_cast<float>(c.rowsUsed * 70 + 70));
        EXPECT_FLOAT_EQ(r.contentWidth, static_cast<float>((c.maxColumn + 1) * 400));
    }
}

TEST(TechTreeLayout, LoopsAndMissingItemsAreLeftOutWithoutHangingTheTree)
{
    Forest forest({"root", "A<root", "x", "y", "B<root"});
    // x and y name each other: neither reaches a root. A lists an empty dependent and one the
    // tree does not hold.
    forest["x"]->m_prerequisite = forest["y"];
    forest["y"]->m_prerequisite = forest["x"];
    forest["x"]->m_children.push_back(forest["y"]);
    forest["y"]->m_children.push_back(forest["x"]);
    SIM_Researchable stranger;
    stranger.m_name = "stranger";
    stranger.m_prerequisite = forest["A"];
    forest["A"]->m_children.push_back(nullptr);
    forest["A"]->m_children.push_back(&stranger);
    // A dependent listed twice is placed once.
    forest["root"]->m_children.push_back(forest["A"]);

    const TechTreeLayout::Result r = TechTreeLayout::Compute(forest.items);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {-1, -1}, {-1, -1}, {1, 1}};
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(r.columns[i], expected[i].first) << i;
        EXPECT_EQ(r.rows[i], expected[i].second) << i;
    }
    EXPECT_EQ(r.rowsUsed, 2);
}

TEST(TechTreeLayout, ScrollMaximaAndVisibility)
{
    // An empty tree fits any viewport at least one row high and one column wide.
    const TechTreeLayout::Scroll none = TechTreeLayout::ScrollRange(70.0f, 70, 70);
    EXPECT_EQ(none.maxFirst, 0);
    EXPECT_EQ(TechTreeLayout::ScrollRange(400.0f, 400, 400).maxFirst, 0);
    // 12 rows of content (11 used) in a viewport showing 5 whole rows.
    const TechTreeLayout::Scroll rows = TechTreeLayout::ScrollRange(840.0f, 399, 70);
    EXPECT_FLOAT_EQ(rows.total, 12.0f);
    EXPECT_FLOAT_EQ(rows.visible, 5.0f);
    EXPECT_EQ(rows.maxFirst, 7);
    // Partial content rounds up; a viewport larger than the content never gives a negative maximum.
    EXPECT_FLOAT_EQ(TechTreeLayout::ScrollRange(1201.0f, 800, 400).total, 4.0f);
    EXPECT_EQ(TechTreeLayout::ScrollRange(400.0f, 1600, 400).maxFirst, 0);

    const PRect view{100, 100, 500, 400};
    struct Probe
    {
        PRect entry;
        bool visible;
    } probes[] = {
        {{150, 150, 500, 210}, true},  // inside
        {{450, 380, 800, 440}, true},  // cut by the right and bottom edges
        {{-250, 40, 100, 100}, true},  // right and bottom edges on the viewport's left and top edges
        {{-251, 150, 99, 210}, false}, // one pixel left of it
        {{150, 400, 500, 460}, false}, // starts on the bottom edge
        {{500, 150, 850, 210}, false}, // starts on the right edge
    };
    for (const Probe& p : probes)
        EXPECT_EQ(TechTreeLayout::IsVisible(view, p.entry), p.visible)
            << p.entry.left << "," << p.entry.top << "," << p.entry.right << "," << p.entry.bottom;
}

TEST(TechTreeLayout, ConnectorsAreElbowsAndTheCurrentResearchPulses)
{
    using Segments = std::vector<std::array<float, 4>>;
    // A dependent one column right and two rows down: into the box, the upright, out of the
    // prerequisite, the upright halfway between the two boxes' centres.
    const PRect prerequisite{30, 30, 380, 90};
    const PRect below{430, 170, 780, 230};
    EXPECT_EQ(
        GUI_TechTreeEntry::ConnectorSegments(below, prerequisite),
        (Segments{{405.0f, 200.0f, 430.0f, 200.0f}, {405.0f, 60.0f, 405.0f, 200.0f}, {380.0f, 60.0f, 405.0f, 60.0f}}));
    // On the same row only the two horizontal pieces.
    const PRect beside{430, 30, 780, 90};
    EXPECT_EQ(GUI_TechTreeEntry::ConnectorSegments(beside, prerequisite),
              (Segments{{405.0f, 60.0f, 430.0f, 60.0f}, {380.0f, 60.0f, 405.0f, 60.0f}}));

    // The fill fades in over about 318 ms and then stays until the second is over.
    EXPECT_EQ(GUI_TechTreeEntry::PulseAlpha(0.0f), 0);
    EXPECT_EQ(GUI_TechTreeEntry::PulseAlpha(100.0f), 80);
    EXPECT_EQ(GUI_TechTreeEntry::PulseAlpha(318.0f), 254);
    EXPECT_EQ(GUI_TechTreeEntry::PulseAlpha(319.0f), 255);
    EXPECT_EQ(GUI_TechTreeEntry::PulseAlpha(999.0f), 255);
}
} // namespace
