#include "engine/core/GLifetime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string>& LifetimeEvents()
{
    static std::vector<std::string> events;
    return events;
}

struct LifetimeOlder
{
    LifetimeOlder() { LifetimeEvents().push_back("+older"); }
    ~LifetimeOlder() { LifetimeEvents().push_back("-older"); }
};

// Asks for the older object while it is made, and again while it goes.
struct LifetimeDependent
{
    LifetimeDependent()
    {
        GLifetime::Get<LifetimeOlder>();
        LifetimeEvents().push_back("+dependent");
    }
    ~LifetimeDependent()
    {
        GLifetime::Get<LifetimeOlder>();
        LifetimeEvents().push_back("-dependent");
    }
};

struct LifetimeNewest
{
    LifetimeNewest() { LifetimeEvents().push_back("+newest"); }
    ~LifetimeNewest() { LifetimeEvents().push_back("-newest"); }
};

// Asks, while it goes, for an object that went before it.
struct LifetimeLateAsker
{
    ~LifetimeLateAsker() { GLifetime::Get<LifetimeNewest>(); }
};
} // namespace

TEST(GLifetime, ObjectsGoNewestFirstAndWhatAnEndingObjectAsksForIsMadeAgainAndGoesToo)
{
    GLifetime& program = GLifetime::Program();
    program.DestroyAll();
    LifetimeEvents().clear();

    GLifetime::Get<LifetimeLateAsker>();
    LifetimeDependent& dependent = GLifetime::Get<LifetimeDependent>();
    EXPECT_EQ(&dependent, &GLifetime::Get<LifetimeDependent>());
    program.Create<LifetimeNewest>();
    EXPECT_EQ(LifetimeEvents(), (std::vector<std::string>{"+older", "+dependent", "+newest"}));
    EXPECT_EQ(program.HeldCount(), 4u);

    LifetimeEvents().clear();
    program.DestroyAll();
    // The late asker goes last and makes the newest object again, which goes in a later round.
    EXPECT_EQ(LifetimeEvents(), (std::vector<std::string>{"-newest", "-dependent", "-older", "+newest", "-newest"}));
    EXPECT_EQ(program.HeldCount(), 0u);
    EXPECT_FALSE(GLifetime::Exists<LifetimeNewest>());
}

TEST(GLifetime, AnObjectHeldAsNewestGoesBeforeWhatWasMadeAfterIt)
{
    GLifetime& program = GLifetime::Program();
    program.DestroyAll();
    GLifetime::Get<LifetimeNewest>();
    GLifetime::Get<LifetimeDependent>();
    program.HoldAsNewest<LifetimeNewest>();
    program.HoldAsNewest<LifetimeLateAsker>(); // not held: nothing changes
    EXPECT_EQ(program.HeldCount(), 3u);

    LifetimeEvents().clear();
    program.DestroyAll();
    EXPECT_EQ(LifetimeEvents(), (std::vector<std::string>{"-newest", "-dependent", "-older"}));
}

TEST(GLifetime, AShutdownStepEndsOneObjectAndALaterUseMakesAFreshOne)
{
    GLifetime& program = GLifetime::Program();
    GLifetime::Get<LifetimeNewest>();
    LifetimeEvents().clear();

    program.Destroy<LifetimeNewest>();
    program.Destroy<LifetimeNewest>();
    EXPECT_EQ(LifetimeEvents(), (std::vector<std::string>{"-newest"}));
    EXPECT_FALSE(GLifetime::Exists<LifetimeNewest>());

    GLifetime::Get<LifetimeNewest>();
    EXPECT_TRUE(GLifetime::Exists<LifetimeNewest>());
    program.Destroy<LifetimeNewest>();
}
