// Drives the event bus with a script read from the input: consumers are built,
// destroyed, subscribed, unsubscribed and events raised (queued or not), both from the
// top level and from inside handlers, so every re-entrant path is taken. Calling a
// destroyed consumer is caught by the sanitizers and by a live-marker check; after
// every top-level step the bus must be idle and the identity table must hold exactly
// the live consumers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"
#include "Util/IDHashTable.h"

namespace {

constexpr int kSlots = 6;
constexpr int kTypes = 4;
constexpr int kMaxNesting = 6;
constexpr std::uint32_t kAlive = 0xA11FE;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_events: %s\n", what);
        std::abort();
    }
}

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

class Script;

class ScriptedConsumer : public EVT::I_EventConsumer {
public:
    explicit ScriptedConsumer(Script& owner) : script(owner) {}
    ~ScriptedConsumer() override { marker = 0; }
    void handleEvent(EVT::I_Event* event) override;

    std::uint32_t marker = kAlive;
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
        // Flush what was queued during the last queue delivery, and the pending
        // removals, so the next input starts from an idle bus with no consumers.
        bus().raiseEvent(kTypes + 100, false);
    }

    bool done() const { return position >= size; }

    std::uint8_t next() { return position < size ? data[position++] : 0; }

    // One operation; handlers run at most a few so the script drives the nesting.
    void step() {
        const std::uint8_t op = next();
        const int slot = (op >> 3) % kSlots;
        const int type = (op >> 6) % kTypes;
        switch (op & 7) {
            case 0:
                if (slots[slot] == nullptr) {
                    slots[slot] = new ScriptedConsumer(*this);
                    ++live;
                }
                break;
            case 1:
                if (slots[slot] != nullptr) {
                    ScriptedConsumer* doomed = slots[slot];
                    slots[slot] = nullptr;
                    --live;
                    delete doomed;
                }
                break;
            case 2:
                if (slots[slot] != nullptr)
                    bus().addConsumer(type, slots[slot]);
                break;
            case 3:
                if (slots[slot] != nullptr)
                    bus().removeConsumer(type, slots[slot]);
                break;
            case 4:
                if (slots[slot] != nullptr)
                    bus().removeConsumer(slots[slot]);
                break;
            case 5:
            case 6:
                if (nesting < kMaxNesting) {
                    ++nesting;
                    EVT::Event_Update event(static_cast<float>(op));
                    event.type = type;
                    bus().raiseEvent(&event, (op & 7) == 6);
                    --nesting;
                }
                break;
            default:
                bus().raiseEvent(type, true);
                break;
        }
    }

    void checkIdle() const {
        check(bus().getDepth() == 0, "bus not idle after a top-level step");
        check(Util::IDHashTable<unsigned long>::instance().entries() == live,
              "identity table does not hold exactly the live consumers");
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
    ScriptedConsumer* slots[kSlots] = {};
    unsigned live = 0;
    int nesting = 0;
};

void ScriptedConsumer::handleEvent(EVT::I_Event* event) {
    check(marker == kAlive, "a destroyed consumer was called");
    check(event->type >= 0 && event->type < kTypes, "an event of a foreign type arrived");
    // A handler takes one byte saying how many operations it runs (0 to 3). They may
    // destroy this consumer, so nothing of it is touched after the first one.
    Script& owner = script;
    int operations = owner.next() % 4;
    while (operations-- > 0 && !owner.done()) {
        owner.step();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        Script script(data, size);
        while (!script.done()) {
            script.step();
            script.checkIdle();
        }
    }
    check(bus().getDepth() == 0, "bus not idle at the end");
    check(Util::IDHashTable<unsigned long>::instance().entries() == 0,
          "identities left after every consumer was destroyed");
    return 0;
}
