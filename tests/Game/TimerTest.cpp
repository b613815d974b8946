#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Game/TimerBase.h"

namespace {

// A timer that counts its firings and runs an optional action from fire().
class CountingTimer : public Game::TimerBase {
public:
    void fire() override {
        ++fired;
        if (action) {
            action();
        }
    }

    int fired = 0;
    std::function<void()> action;
};

// The numbers (1-based) of the updates in which the timer fired, over count updates.
std::vector<int> firingUpdates(CountingTimer& timer, int count, float elapsed) {
    std::vector<int> updates;
    for (int update = 1; update <= count; ++update) {
        const int before = timer.fired;
        Game::TimerBase::onUpdate(elapsed);
        if (timer.fired != before) {
            updates.push_back(update);
        }
    }
    return updates;
}

Game::TimerBase::TimerManager& manager() {
    return Util::Singleton<Game::TimerBase::TimerManager>::instance();
}

}  // namespace

TEST(Timer, AOneShotFiresWhenTheAccumulatedTimeReachesTheDelay) {
    CountingTimer timer;
    timer.start(100.0f, 0.0f);
    EXPECT_EQ(firingUpdates(timer, 6, 25.0f), (std::vector<int>{4}));
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(manager().count(), 0u);
}

TEST(Timer, ARepeatingTimerDropsTheTimeBeyondTheDuePoint) {
    CountingTimer timer;
    timer.start(100.0f, 50.0f);
    EXPECT_EQ(firingUpdates(timer, 10, 30.0f), (std::vector<int>{4, 6, 8, 10}));
    EXPECT_TRUE(timer.isActive());

    CountingTimer slowFrames;
    slowFrames.start(10.0f, 10.0f);
    EXPECT_EQ(firingUpdates(slowFrames, 2, 1000.0f), (std::vector<int>{1, 2}));
}

TEST(Timer, PausesNestAndResumeAllClearsThem) {
    CountingTimer timer;
    timer.start(50.0f, 0.0f);
    EXPECT_EQ(timer.pause(), 1);
    EXPECT_EQ(timer.pause(), 2);
    EXPECT_EQ(timer.resume(false), 1);
    EXPECT_EQ(firingUpdates(timer, 3, 50.0f), (std::vector<int>{}));
    EXPECT_EQ(timer.getTimePassed(), 0.0f);
    EXPECT_EQ(timer.resume(true), 0);
    EXPECT_EQ(firingUpdates(timer, 1, 50.0f), (std::vector<int>{1}));

    CountingTimer stopped;
    EXPECT_EQ(stopped.pause(), 0);  // a stopped timer does not pause
    EXPECT_EQ(stopped.resume(false), 0);
}

TEST(Timer, TheManagersPauseAndResumeUndoOneLevel) {
    CountingTimer a, b;
    a.start(10.0f, 0.0f);
    b.start(10.0f, 0.0f);
    b.pause();
    Game::TimerBase::setPause(true);
    EXPECT_TRUE(a.isPaused());
    Game::TimerBase::setPause(false);
    EXPECT_FALSE(a.isPaused());
    EXPECT_TRUE(b.isPaused());
}

TEST(Timer, StartWithZeroDelayOnlyResetsTheTimePassed) {
    CountingTimer timer;
    timer.start(100.0f, 0.0f);
    Game::TimerBase::onUpdate(30.0f);
    EXPECT_EQ(timer.getTimePassed(), 30.0f);
    timer.start(0.0f, 5.0f);
    EXPECT_EQ(timer.getTimePassed(), 0.0f);
    EXPECT_EQ(timer.getTimeUntilFire(), 70.0f);
    EXPECT_EQ(timer.getRepeatDelay(), 0.0f);

    CountingTimer idle;
    idle.start(0.0f, 5.0f);
    EXPECT_FALSE(idle.isActive());
}

TEST(Timer, RestartingFromFireWaitsForTheNextUpdate) {
    CountingTimer timer;
    timer.action = [&] { timer.start(10.0f, 0.0f); };
    timer.start(10.0f, 0.0f);
    EXPECT_EQ(firingUpdates(timer, 3, 10.0f), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(timer.isActive());
}

// The list is newest first, so among timers started a, b, c the walk meets c, b, a.
TEST(Timer, StoppingTheNextTimerFromFireSkipsItSafely) {
    CountingTimer a, b, c;
    a.start(10.0f, 10.0f);
    b.start(10.0f, 10.0f);
    c.start(10.0f, 10.0f);
    c.action = [&] { b.stop(); };
    Game::TimerBase::onUpdate(10.0f);
    EXPECT_EQ(c.fired, 1);
    EXPECT_EQ(b.fired, 0);
    EXPECT_EQ(a.fired, 1);
    EXPECT_FALSE(b.isActive());
    EXPECT_EQ(manager().count(), 2u);
}

TEST(Timer, StoppingEveryTimerFromFireEndsTheWalk) {
    CountingTimer a, b, c;
    a.start(10.0f, 10.0f);
    b.start(10.0f, 10.0f);
    c.start(10.0f, 10.0f);
    c.action = [&] {
        a.stop();
        b.stop();
        c.stop();
    };
    Game::TimerBase::onUpdate(10.0f);
    EXPECT_EQ(a.fired + b.fired + c.fired, 1);
    EXPECT_EQ(manager().count(), 0u);
    Game::TimerBase::onUpdate(10.0f);
    EXPECT_EQ(c.fired, 1);
}

TEST(Timer, DestroyingTimersFromFireIsSafe) {
    auto* self = new CountingTimer;
    auto* next = new CountingTimer;
    CountingTimer last;
    last.start(5.0f, 5.0f);
    next->start(5.0f, 5.0f);
    self->start(5.0f, 5.0f);
    int fired = 0;
    self->action = [&] {
        ++fired;
        delete next;
        delete self;
    };
    Game::TimerBase::onUpdate(5.0f);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(last.fired, 1);
    EXPECT_EQ(manager().count(), 1u);
}
