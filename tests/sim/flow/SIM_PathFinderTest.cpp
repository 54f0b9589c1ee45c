// The path finder and the route table on real floors: best-first order, passability by mode,
// the search bound, the route cache and the points an object follows.
#include "tests/sim/FlowTestSupport.h"

#include "sim/flow/InvalidateRoutes.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/world/TileWaypointGrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace flow_pathfinder_test
{
using flowtest::FlowFloor;
using flowtest::RouteText;

SIM_ResourceRoute* Search(FlowFloor& floor, int sx, int sy, int gx, int gy, int mode)
{
    return SIM_PathFinder::Instance().GeneratePath(floor.Tile(sx, sy), floor.Tile(gx, gy), mode);
}

TEST(PathFinder, StartEqualToGoalIsOneTileInEveryMode)
{
    FlowFloor floor(6, 6);
    for (int mode = 0; mode <= 2; ++mode)
    {
        SIM_ResourceRoute* route = Search(floor, 3, 3, 3, 3, mode);
        ASSERT_NE(route, nullptr) << "mode " << mode;
        EXPECT_EQ(RouteText(route), "(3,3)");
        ASSERT_EQ(route->m_steps.size(), 1u);
        EXPECT_EQ(route->m_steps[0], &floor.Tile(3, 3)->m_waypoints->m_points[2]);
        route->SetInUse(false);
    }
}

TEST(PathFinder, ModesDecideWhatIsPassable)
{
    FlowFloor floor(8, 8);
    floor.LayRow(2, 0, 5); // conveyors from (0,2) to (5,2)
    struct Case
    {
        const char* what;
        int sx, sy, gx, gy, mode;
        const char* expected;
    } cases[] = {
        {"resources follow the conveyors", 0, 2, 4, 2, 0, "(0,2)(1,2)(2,2)(3,2)(4,2)"},
        {"a goal without a conveyor is never reached", 0, 2, 6, 2, 0, "none"},
        {"a start off the conveyors finds no way on", 0, 0, 4, 2, 0, "none"},
        {"laying conveyors crosses the open floor", 0, 0, 2, 0, 1, "(0,0)(1,0)(2,0)"},
        {"a slot chain crosses the open floor", 0, 0, 0, 2, 2, "(0,0)(0,1)(0,2)"},
        {"an unknown mode passes nothing", 0, 2, 1, 2, 7, "none"},
    };
    for (const Case& c : cases)
    {
        SIM_ResourceRoute* route = Search(floor, c.sx, c.sy, c.gx, c.gy, c.mode);
        EXPECT_EQ(RouteText(route), c.expected) << c.what;
        if (route)
            route->SetInUse(false);
    }
}

TEST(PathFinder, EquallyCloseNeighboursAreTriedInFixedOrder)
{
    FlowFloor floor(6, 6);
    // (x+1, y) comes before (x, y+1): the path runs along x first, then turns.
    SIM_ResourceRoute* route = Search(floor, 0, 0, 2, 2, 1);
    EXPECT_EQ(RouteText(route), "(0,0)(1,0)(2,0)(2,1)(2,2)");
    ASSERT_NE(route, nullptr);
    route->SetInUse(false);
    // Going the other way, (x, y-1) comes before (x-1, y).
    route = Search(floor, 2, 2, 0, 0, 1);
    EXPECT_EQ(RouteText(route), "(2,2)(2,1)(2,0)(1,0)(0,0)");
    ASSERT_NE(route, nullptr);
    route->SetInUse(false);
}

TEST(PathFinder, LockedTilesAreNeverCrossedNorReached)
{
    FlowFloor floor(6, 6);
    floor.LayRow(0, 0, 5);
    floor.Tile(3, 0)->m_zoneState = SIM_Tile::ZONE_LOCKED;
    EXPECT_EQ(Search(floor, 0, 0, 5, 0, 0), nullptr);
    EXPECT_EQ(Search(floor, 0, 0, 3, 0, 0), nullptr);
    // Laying conveyors goes round the locked tile.
    SIM_ResourceRoute* route = Search(floor, 2, 0, 4, 0, 1);
    EXPECT_EQ(RouteText(route), "(2,0)(2,1)(3,1)(4,1)(4,0)");
    ASSERT_NE(route, nullptr);
    route->SetInUse(false);
}

// A conveyor that snakes over the floor in one single line, and its tiles in travel order.
std::vector<std::pair<int, int>> LaySnake(FlowFloor& floor, int width, int rows)
{
    std::vector<std::pair<int, int>> path;
    for (int row = 0; row < rows; ++row)
    {
        const int y = row * 2;
        for (int i = 0; i < width; ++i)
            path.push_back({row % 2 == 0 ? i : width - 1 - i, y});
        path.push_back({row % 2 == 0 ? width - 1 : 0, y + 1});
    }
    for (const auto& p : path)
        floor.Lay(p.first, p.second);
    return path;
}

TEST(PathFinder, SearchesEndAfterTwoThousandPicks)
{
    FlowFloor floor(60, 70);
    const std::vector<std::pair<int, int>> snake = LaySnake(floor, 60, 34);
    ASSERT_GT(snake.size(), 2002u);
    // Along a single line every pick takes one step: the goal 2000 steps away is found, the
    // goal 2001 steps away is reached on the 2001st pick, which is one too many.
    SIM_ResourceRoute* route = Search(floor, 0, 0, snake[2000].first, snake[2000].second, 0);
    ASSERT_NE(route, nullptr);
    EXPECT_EQ(route->m_tiles.size(), 2001u);
    EXPECT_EQ(route->m_steps.size(), 5u * 2001u - 4u);
    route->SetInUse(false);
    EXPECT_EQ(Search(floor, 0, 0, snake[2001].first, snake[2001].second, 0), nullptr);
}

TEST(ResourceRoute, StepsRunThroughExitAndEntryPoints)
{
    FlowFloor floor(6, 6);
    floor.LayRow(1, 0, 2);
    floor.LayColumn(2, 2, 3);
    struct Case
    {
        int sx, sy, gx, gy;
        std::vector<std::pair<int, int>> points; // (tile index in route, point number)
    } cases[] = {
        // Along increasing x.
        {0, 1, 2, 1, {{0, 2}, {0, 3}, {0, 4}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 0}, {2, 1}, {2, 2}}},
        // Along decreasing x.
        {1, 1, 0, 1, {{0, 2}, {0, 1}, {0, 0}, {1, 4}, {1, 3}, {1, 2}}},
        // Along increasing y, then decreasing y.
        {2, 2, 2, 3, {{0, 2}, {0, 6}, {0, 5}, {1, 8}, {1, 7}, {1, 2}}},
        {2, 3, 2, 2, {{0, 2}, {0, 7}, {0, 8}, {1, 5}, {1, 6}, {1, 2}}},
    };
    for (const Case& c : cases)
    {
        SIM_ResourceRoute* route = RouteTable::Instance().RequestRoute(floor.Tile(c.sx, c.sy), floor.Tile(c.gx, c.gy));
        ASSERT_NE(route, nullptr);
        ASSERT_EQ(route->m_steps.size(), c.points.size()) << RouteText(route);
        for (size_t i = 0; i < c.points.size(); ++i)
        {
            SIM_Tile* tile = route->m_tiles[static_cast<size_t>(c.points[i].first)];
            EXPECT_EQ(route->m_steps[i], &tile->m_waypoints->m_points[c.points[i].second]) << "step " << i;
        }
    }
}

TEST(ResourceRoute, TilesThatAreNotNeighboursGetNoExitPoints)
{
    FlowFloor floor(6, 6);
    SIM_ResourceRoute route;
    route.m_startTile = floor.Tile(0, 0);
    route.m_goalTile = floor.Tile(3, 0);
    route.m_tiles = {floor.Tile(0, 0), floor.Tile(3, 0)};
    route.BuildSteps();
    ASSERT_EQ(route.m_steps.size(), 2u);
    EXPECT_EQ(route.m_steps[1], &floor.Tile(3, 0)->m_waypoints->m_points[2]);
}

TEST(RouteTable, PairsAreSearchedOnceUntilInvalidated)
{
    FlowFloor floor(8, 8);
    floor.LayRow(0, 0, 4);
    RouteTable& table = RouteTable::Instance();
    SIM_Tile* a = floor.Tile(0, 0);
    SIM_Tile* b = floor.Tile(4, 0);
    SIM_Tile* c = floor.Tile(7, 7);

    const uint64_t before = table.SearchCount();
    SIM_ResourceRoute* first = table.RequestRoute(a, b);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_state, SIM_ResourceRoute::STATE_KNOWN);
    EXPECT_EQ(table.RequestRoute(a, b), first);
    EXPECT_EQ(table.SearchCount(), before + 1);

    EXPECT_EQ(table.RequestRoute(a, c), nullptr);
    EXPECT_EQ(table.RequestRoute(a, c), nullptr);
    EXPECT_EQ(table.SearchCount(), before + 2);
    EXPECT_EQ(table.FailureCount(), 1u);
    EXPECT_TRUE(table.IsPairKnown(a, c));

    // New conveyors reach the goal: after the routes are invalidated the pair is searched again.
    floor.LayColumn(4, 1, 7);
    floor.LayRow(7, 5, 7);
    InvalidateRoutes();
    EXPECT_EQ(table.KnownCount(), 0u);
    EXPECT_EQ(table.FailureCount(), 0u);
    EXPECT_FALSE(first->InUse());
    SIM_ResourceRoute* found = table.RequestRoute(a, c);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_tiles.size(), 5u + 7u + 3u);
    EXPECT_EQ(table.SearchCount(), before + 3);
}

TEST(RouteTable, AFullTableRefusesNewPairs)
{
    FlowFloor floor(4, 4);
    floor.LayRow(0, 0, 3);
    RouteTable& table = RouteTable::Instance();
    SIM_FlowErrorBox::ResetForNewGame();
    int taken = 0;
    while (table.NewRoute())
        ++taken;
    EXPECT_LE(taken, RouteTable::kMaxRoutes);
    EXPECT_EQ(table.HighestIndex(), RouteTable::kMaxRoutes - 1);
    EXPECT_EQ(table.RequestRoute(floor.Tile(0, 0), floor.Tile(3, 0)), nullptr);
    // No failure record could be taken either: the pair stays unknown and is searched again.
    EXPECT_FALSE(table.IsPairKnown(floor.Tile(0, 0), floor.Tile(3, 0)));
    // Reported once per text however often the table is found full.
    EXPECT_EQ(table.NewRoute(), nullptr);
    EXPECT_EQ(SIM_FlowErrorBox::ShownCount(), 2u); // "Max routes reached" and "Route Pending"
    table.ClearAll();
    EXPECT_NE(table.RequestRoute(floor.Tile(0, 0), floor.Tile(3, 0)), nullptr);
}

// Once the table is found full it is checked once; after that a request looks at no record, and
// a pair refused for want of a record is not searched again until records come free. A pair with
// no route takes no record at all. Requests to a full table once walked every record and searched
// again each time: big factories froze for minutes.
TEST(RouteTable, AFullTableCostsARequestNoWalkOfTheRecords)
{
    FlowFloor floor(10, 10);
    floor.LayRow(0, 0, 9);
    RouteTable& table = RouteTable::Instance();
    SIM_FlowErrorBox::ResetForNewGame();
    auto inUse = [&table] {
        int used = 0;
        for (int32_t i = 0; i <= table.HighestIndex(); ++i)
            used += table.Record(i).InUse() ? 1 : 0;
        return used;
    };
    const int before = inUse();
    EXPECT_EQ(table.RequestRoute(floor.Tile(0, 0), floor.Tile(9, 9)), nullptr);
    EXPECT_TRUE(table.IsPairKnown(floor.Tile(0, 0), floor.Tile(9, 9)));
    EXPECT_EQ(inUse(), before) << "a pair without a route took a record";

    while (table.NewRoute())
    {
    }
    const uint64_t searches = table.SearchCount();
    const uint64_t visits = table.RecordVisits();
    for (int x = 1; x < 9; ++x)
        for (int again = 0; again < 3; ++again)
            EXPECT_EQ(table.RequestRoute(floor.Tile(x, 0), floor.Tile(9, 0)), nullptr);
    EXPECT_EQ(table.SearchCount(), searches + 8) << "a refused pair was searched again";
    EXPECT_LE(table.RecordVisits() - visits, 8u * 3u) << "requests to the full table walked its records";

    table.ClearAll();
    SIM_ResourceRoute* route = table.RequestRoute(floor.Tile(1, 0), floor.Tile(9, 0));
    ASSERT_NE(route, nullptr);
    EXPECT_EQ(route->m_tiles.size(), 9u);
}

TEST(Conveyor, ConnectsToItsFacingAndToNeighbouringConveyors)
{
    FlowFloor floor(5, 5);
    struct Case
    {
        const char* what;
        std::vector<std::pair<int, int>> others;
        int facing;
        uint8_t sides[4];
    } cases[] = {
        {"alone", {}, 2, {0, 0, 1, 0}},
        {"alone without facing", {}, 4, {0, 0, 0, 0}},
        {"east neighbour", {{3, 2}}, 2, {0, 1, 1, 0}},
        {"all round", {{2, 1}, {3, 2}, {2, 3}, {1, 2}}, 0, {1, 1, 1, 1}},
        {"diagonal does not count", {{3, 3}}, 3, {0, 0, 0, 1}},
    };
    for (const Case& c : cases)
    {
        SIM_ResourceConveyor* conveyor = floor.Lay(2, 2, c.facing);
        conveyor->m_facing = c.facing;
        for (const auto& o : c.others)
            floor.Lay(o.first, o.second);
        conveyor->UpdateConnections();
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(conveyor->m_sides[d], c.sides[d]) << c.what << " side " << d;
        for (const auto& o : c.others)
            floor.Lift(o.first, o.second);
        floor.Lift(2, 2);
    }
    EXPECT_TRUE(SIM_ResourceConveyorManager::Instance().Conveyors().empty());
}

TEST(Conveyor, ANewConveyorConnectsOnlySideOne)
{
    FlowFloor floor(3, 3);
    SIM_ResourceConveyor* conveyor = SIM_ResourceConveyorManager::Instance().CreateConveyor();
    EXPECT_EQ(conveyor->m_facing, SIM_ResourceConveyor::kNoFacing);
    EXPECT_EQ(conveyor->m_tile, nullptr);
    const uint8_t expected[4] = {0, 1, 0, 0};
    for (int d = 0; d < 4; ++d)
        EXPECT_EQ(conveyor->m_sides[d], expected[d]);
    EXPECT_FALSE(conveyor->IsCarrying());
}
} // namespace flow_pathfinder_test
