#include "Game/TimerBase.h"

#include <algorithm>

namespace Game {

namespace {
TimerBase::TimerManager& manager() {
    return Util::Singleton<TimerBase::TimerManager>::instance();
}
}  // namespace

TimerBase::TimerBase() {
    // Building the manager before the first timer makes it outlive timers that are
    // themselves process-wide statics, whose destructors still talk to it.
    manager();
}

TimerBase::~TimerBase() {
    stop();
    manager().forget(this);
}

void TimerBase::start(float delay, float newRepeatDelay) {
    timePassed = 0.0f;
    if (delay == 0.0f) {
        return;
    }
    const bool wasRunning = isActive();
    timeUntilFire = delay;
    repeatDelay = newRepeatDelay;
    pauseCount = 0;
    if (!wasRunning) {
        manager().started(this);
    }
}

void TimerBase::stop() {
    if (!isActive()) {
        return;
    }
    pauseCount = 0;
    manager().stopped(this);
}

int TimerBase::pause() {
    if (isActive()) {
        ++pauseCount;
    }
    return pauseCount;
}

int TimerBase::resume(bool all) {
    if (pauseCount != 0) {
        pauseCount = all ? 0 : pauseCount - 1;
    }
    return pauseCount;
}

void TimerBase::setPause(bool paused) {
    manager().setPause(paused);
}

void TimerBase::onUpdate(float elapsed) {
    manager().onUpdate(elapsed);
}

// Timers still running at process exit are left stopped.
TimerBase::TimerManager::~TimerManager() {
    for (TimerBase* timer : timers) {
        timer->timeUntilFire = 0.0f;
        timer->pauseCount = 0;
    }
}

void TimerBase::TimerManager::started(TimerBase* timer) {
    if (timer->timeUntilFire == 0.0f) {
        timer->timeUntilFire = 1.0f;
    }
    if (std::find(timers.begin(), timers.end(), timer) == timers.end()) {
        timers.push_front(timer);
    }
}

void TimerBase::TimerManager::stopped(TimerBase* timer) {
    auto it = std::find(timers.begin(), timers.end(), timer);
    if (it != timers.end()) {
        // A walk that was about to handle this timer moves on to its successor.
        for (Walk* walk : walks) {
            if (walk->next == it) {
                ++walk->next;
            }
        }
        timers.erase(it);
    }
    timer->timeUntilFire = 0.0f;
}

void TimerBase::TimerManager::setPause(bool paused) {
    for (TimerBase* timer : timers) {
        if (paused) {
            timer->pause();
        } else {
            timer->resume(false);
        }
    }
}

// Walks the list from the front. The successor of each timer is taken before the timer
// is handled and is kept up to date by stopped(), so a fire() may stop any timer; a
// timer (re)started by a fire() goes to the front, which the walk has already passed.
void TimerBase::TimerManager::onUpdate(float elapsed) {
    Walk walk;
    walk.next = timers.begin();
    walks.push_back(&walk);
    while (walk.next != timers.end()) {
        TimerBase* timer = *walk.next;
        ++walk.next;
        if (timer->pauseCount == 0) {
            handleTimer(timer, elapsed, walk);
        }
    }
    walks.pop_back();
}

void TimerBase::TimerManager::handleTimer(TimerBase* timer, float elapsed, Walk& walk) {
    timer->timePassed += elapsed;
    if (timer->timeUntilFire > elapsed) {
        timer->timeUntilFire -= elapsed;
        return;
    }
    // Due: the time beyond the due point is dropped.
    timer->timeUntilFire = timer->repeatDelay;
    if (timer->repeatDelay == 0.0f) {
        stopped(timer);
    }
    walk.firing = timer;
    timer->fire();
    if (walk.firing != nullptr) {
        walk.firing->timePassed = 0.0f;
    }
    walk.firing = nullptr;
}

void TimerBase::TimerManager::forget(const TimerBase* timer) {
    for (Walk* walk : walks) {
        if (walk->firing == timer) {
            walk->firing = nullptr;
        }
    }
}

}  // namespace Game
