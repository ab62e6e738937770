#include "instruments/WaypointMessageQueue.h"
#include "instruments/WaypointMessage.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

WaypointMessageQueue::Request Alarm(const char* name, int type = 0)
{
    WaypointMessageQueue::Request r;
    r.waypoint.strName = name;
    r.title = "最近路点";
    r.messageType = type;
    r.displayMs = 60000;
    return r;
}

TEST(WaypointMessageQueueTest, AlarmsWhileAMessageShowsWaitTheirTurnOnceEach)
{
    WaypointMessageQueue queue;
    EXPECT_TRUE(queue.OfferAlarm(Alarm("Spring"), false)); // nothing shown: at once
    EXPECT_FALSE(queue.OfferAlarm(Alarm("Hut"), true));
    EXPECT_FALSE(queue.OfferAlarm(Alarm("Peak"), true));
    EXPECT_FALSE(queue.OfferAlarm(Alarm("Hut", 4), true)); // fires again: waits once, newest
    EXPECT_EQ(queue.Waiting(), 2u);
    // Nothing shown but others wait: the newcomer queues behind them.
    EXPECT_FALSE(queue.OfferAlarm(Alarm("Ford"), false));

    auto next = queue.Next();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->waypoint.strName, "Hut");
    EXPECT_EQ(next->messageType, 4);
    EXPECT_EQ(queue.Next()->waypoint.strName, "Peak");
    EXPECT_EQ(queue.Next()->waypoint.strName, "Ford");
    EXPECT_FALSE(queue.Next());
}

TEST(WaypointMessageTest, TheSymbolFollowsTheCacheStateAtTheTimeGiven)
{
    const int64_t now = 1780000000;
    Waypoint cache;
    cache.nType = kWaypointGeocache;
    cache.bUseGeocacheStateForIconID = 1;
    cache.icon = 3;
    cache.timeCreated = static_cast<int32_t>(now - 3600); // placed an hour ago
    WaypointMessage message;
    message.Set(cache, "路点", 0);
    EXPECT_EQ(message.Symbol(now), 86);                // a new cache
    EXPECT_NE(message.Symbol(now), message.Symbol(0)); // time 0 draws another symbol
    cache.timeCreated = static_cast<int32_t>(now - 400 * 86400);
    message.Set(cache, "路点", 0);
    EXPECT_EQ(message.Symbol(now), 24); // an old, active cache
    cache.geocache.bArchived = 1;
    message.Set(cache, "路点", 0);
    EXPECT_EQ(message.Symbol(now), 85);
    // A plain waypoint keeps its own symbol.
    cache.bUseGeocacheStateForIconID = 0;
    message.Set(cache, "路点", 0);
    EXPECT_EQ(message.Symbol(now), 3);
}

} // namespace
} // namespace hw
