// Drives the timers with a script read from the input: timers are built, destroyed,
// started, stopped, paused and resumed, from the top level and from inside fire(), and
// the manager is advanced. A destroyed timer must never fire (sanitizers and a
// live-marker check), no timer may fire twice in one update, and after every top-level
// step the manager must list exactly the active timers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Game/TimerBase.h"

namespace {

constexpr int kSlots = 5;
constexpr std::uint32_t kAlive = 0x71AE5;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_timers: %s\n", what);
        std::abort();
    }
}

Game::TimerBase::TimerManager& manager() {
    return Util::Singleton<Game::TimerBase::TimerManager>::instance();
}

class Script;

class ScriptedTimer : public Game::TimerBase {
public:
    explicit ScriptedTimer(Script& owner) : script(owner) {}
    ~ScriptedTimer() override { marker = 0; }
    void fire() override;

    std::uint32_t marker = kAlive;
    unsigned lastFiredUpdate = 0;
    Script& script;
};

class Script {
public:
    Script(const std::uint8_t* bytes, std::size_t length) : data(bytes), size(length) {}
    ~Script() {
        for (auto*& slot : slots) {
            delete slot;
            slot = nullptr;
        }
    }

    bool done() const { return position >= size; }
    std::uint8_t next() { return position < size ? data[position++] : 0; }
    unsigned currentUpdate() const { return update; }

    void step() {
        const std::uint8_t op = next();
        const int slot = (op >> 4) % kSlots;
        ScriptedTimer*& timer = slots[slot];
        switch (op & 15) {
            case 0:
                if (timer == nullptr)
                    timer = new ScriptedTimer(*this);
                break;
            case 1: {
                ScriptedTimer* doomed = timer;
                timer = nullptr;
                delete doomed;
                break;
            }
            case 2:
            case 3:
                if (timer != nullptr) {
                    const float delay = static_cast<float>(next() % 64);
                    const float repeat = static_cast<float>(next() % 32);
                    timer->start(delay, repeat);
                }
                break;
            case 4:
                if (timer != nullptr)
                    timer->stop();
                break;
            case 5:
                if (timer != nullptr)
                    timer->pause();
                break;
            case 6:
                if (timer != nullptr)
                    timer->resume(false);
                break;
            case 7:
                if (timer != nullptr)
                    timer->resume(true);
                break;
            case 8:
                Game::TimerBase::setPause((op & 0x10) != 0);
                break;
            default:
                // The manager is advanced by the game manager only, never from a fire().
                if (firing == 0) {
                    ++update;
                    Game::TimerBase::onUpdate(static_cast<float>(next() % 40));
                }
                break;
        }
    }

    void checkList() const {
        std::size_t active = 0;
        for (const ScriptedTimer* timer : slots) {
            if (timer != nullptr && timer->isActive())
                ++active;
        }
        check(manager().count() == active, "the manager does not list exactly the active timers");
    }

    int firing = 0;

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
    ScriptedTimer* slots[kSlots] = {};
    unsigned update = 0;
};

void ScriptedTimer::fire() {
    check(marker == kAlive, "a destroyed timer fired");
    check(lastFiredUpdate != script.currentUpdate(), "a timer fired twice in one update");
    lastFiredUpdate = script.currentUpdate();
    // The operations may destroy this timer: nothing of it is touched after them.
    Script& owner = script;
    ++owner.firing;
    int operations = owner.next() % 4;
    while (operations-- > 0 && !owner.done()) {
        owner.step();
    }
    --owner.firing;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        Script script(data, size);
        while (!script.done()) {
            script.step();
            script.checkList();
        }
    }
    check(manager().count() == 0, "timers listed after every timer was destroyed");
    return 0;
}
