#pragma once

#include <list>
#include <vector>

#include "Util/NonCopyable.h"
#include "Util/Singleton.h"

namespace Game {

// A countdown in game time (milliseconds, already scaled by the game speed) that calls
// fire() when it runs out, once or repeatedly. Running timers are listed in the
// process-wide TimerManager, which the game manager advances once per update event,
// so a timer fires at most once per frame.
class TimerBase : public Util::NonCopyable<TimerBase> {
public:
    class TimerManager;

    TimerBase();
    // Stops the timer.
    virtual ~TimerBase();

    // What the timer does when it runs out. It may start, stop or destroy any timer,
    // itself included.
    virtual void fire() = 0;

    // Starts or restarts the countdown: fire after delay ms, then every repeatDelay ms
    // (0: once). Clears the pauses. A delay of 0 only resets the time passed.
    void start(float delay, float repeatDelay);
    void stop();
    // One more level of pausing, for a running timer; returns the pause count.
    int pause();
    // Undoes one level of pausing, or all of them; returns the new pause count.
    int resume(bool all);

    bool isActive() const { return timeUntilFire != 0.0f; }
    bool isPaused() const { return pauseCount != 0; }
    float getTimeUntilFire() const { return timeUntilFire; }
    float getRepeatDelay() const { return repeatDelay; }
    float getTimePassed() const { return timePassed; }

    // The manager's setPause and onUpdate.
    static void setPause(bool paused);
    static void onUpdate(float elapsed);

private:
    float timeUntilFire = 0.0f;  // 0: not running
    float repeatDelay = 0.0f;    // 0: fire once
    float timePassed = 0.0f;     // unpaused ms since started or last fired
    int pauseCount = 0;          // advances only while 0
};

// The running timers, the most recently started first; it does not own them. The walk
// of onUpdate survives any start, stop or destruction of timers made from a fire().
class TimerBase::TimerManager : public Util::Singleton<TimerBase::TimerManager> {
public:
    ~TimerManager();

    // Marks the timer running (a 0 countdown becomes 1) and lists it at the front
    // unless it is listed already.
    void started(TimerBase* timer);
    // Takes the timer out of the list and marks it stopped.
    void stopped(TimerBase* timer);
    // Pauses every listed timer one level, or undoes one level.
    void setPause(bool paused);
    // Advances every unpaused timer by elapsed ms and fires the ones that are due.
    void onUpdate(float elapsed);

    // Number of running timers.
    std::size_t count() const { return timers.size(); }

private:
    friend class Util::Singleton<TimerBase::TimerManager>;
    friend class TimerBase;
    TimerManager() = default;

    using List = std::list<TimerBase*>;

    // One onUpdate in progress (several when a fire() advances the manager itself):
    // the timer to handle next, and the one being fired (null once it is destroyed).
    struct Walk {
        List::iterator next;
        TimerBase* firing = nullptr;
    };

    void handleTimer(TimerBase* timer, float elapsed, Walk& walk);
    // A timer is being destroyed: no walk may touch it after its fire() returns.
    void forget(const TimerBase* timer);

    List timers;               // not owned
    std::vector<Walk*> walks;  // the walks in progress, innermost last
};

}  // namespace Game
