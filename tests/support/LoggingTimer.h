#pragma once

#include "Game/TimerBase.h"
#include "support/Journal.h"

namespace TestSupport {

// A timer that writes "timer" into the journal each time it fires.
class LoggingTimer : public Game::TimerBase {
public:
    explicit LoggingTimer(Journal& log) : log(log) {}
    void fire() override { log.push_back("timer"); }
    Journal& log;
};

}  // namespace TestSupport
