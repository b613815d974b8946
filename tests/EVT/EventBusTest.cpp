#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"

namespace {

constexpr int kType = 50;
constexpr int kOtherType = 51;

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

// A consumer that appends "<name>:<type>" to a shared log and then runs an optional
// action, so a test can script what a handler does in the middle of a delivery.
class Recorder : public EVT::I_EventConsumer {
public:
    Recorder(std::string recorderName, std::vector<std::string>& sharedLog)
        : name(std::move(recorderName)), log(sharedLog) {}

    void handleEvent(EVT::I_Event* event) override {
        log.push_back(name + ":" + std::to_string(event->type));
        if (action) {
            action(event);
        }
    }

    std::string name;
    std::vector<std::string>& log;
    std::function<void(EVT::I_Event*)> action;
};

using Log = std::vector<std::string>;

}  // namespace

TEST(EventBus, DeliversInSubscriptionOrderAndOnlyToSubscribedTypes) {
    Log log;
    Recorder a("a", log), b("b", log), c("c", log);
    bus().addConsumer(kType, &b);
    bus().addConsumer(kType, &a);
    bus().addConsumer(kOtherType, &c);
    bus().addConsumer(kType, &b);  // subscribing twice delivers once

    bus().raiseEvent(kType, false);
    bus().raiseEvent(99, false);  // nobody listens: nothing happens

    EXPECT_EQ(log, (Log{"b:50", "a:50"}));
}

TEST(EventBus, RemovedConsumersAreNoLongerCalled) {
    Log log;
    Recorder a("a", log), b("b", log);
    bus().addConsumer(kType, &a);
    bus().addConsumer(kOtherType, &a);
    bus().addConsumer(kType, &b);

    bus().removeConsumer(kType, &a);
    bus().raiseEvent(kType, false);
    bus().raiseEvent(kOtherType, false);
    bus().removeConsumer(&a);
    bus().raiseEvent(kOtherType, false);
    bus().removeConsumer(kType, &a);  // not subscribed: nothing happens

    EXPECT_EQ(log, (Log{"b:50", "a:51"}));
}

TEST(EventBus, SelfRemovalStopsCallsAtOnceAndTakesEffectAfterTheOutermostRaise) {
    Log log;
    Recorder a("a", log), b("b", log);
    bus().addConsumer(kType, &a);
    bus().addConsumer(kType, &b);
    bus().addConsumer(kOtherType, &a);
    a.action = [&](EVT::I_Event* event) {
        if (event->type == kType) {
            bus().removeConsumer(kType, &a);
            // Still subscribed while the delivery runs, but no longer called: the
            // nested raise of the same type skips it.
            bus().raiseEvent(kType, false);
        }
    };

    bus().raiseEvent(kType, false);
    EXPECT_EQ(log, (Log{"a:50", "b:50", "b:50"}));

    log.clear();
    bus().raiseEvent(kType, false);
    bus().raiseEvent(kOtherType, false);
    EXPECT_EQ(log, (Log{"b:50", "a:51"}));
}

TEST(EventBus, RemoveThenReAddDuringDeliveryKeepsThePosition) {
    Log log;
    Recorder a("a", log), b("b", log), c("c", log);
    bus().addConsumer(kType, &a);
    bus().addConsumer(kType, &b);
    bus().addConsumer(kType, &c);
    bool once = true;
    a.action = [&](EVT::I_Event*) {
        if (once) {
            once = false;
            bus().removeConsumer(kType, &b);
            bus().addConsumer(kType, &b);
        }
    };

    bus().raiseEvent(kType, false);
    bus().raiseEvent(kType, false);

    EXPECT_EQ(log, (Log{"a:50", "b:50", "c:50", "a:50", "b:50", "c:50"}));
}

TEST(EventBus, ConsumerAddedDuringAWalkReceivesTheSameEvent) {
    Log log;
    Recorder a("a", log), late("late", log);
    bus().addConsumer(kType, &a);
    a.action = [&](EVT::I_Event*) { bus().addConsumer(kType, &late); };

    bus().raiseEvent(kType, false);

    EXPECT_EQ(log, (Log{"a:50", "late:50"}));
}

TEST(EventBus, UnqueuedRaiseInsideAHandlerNestsQueuedRaiseWaitsForTheOutermost) {
    Log log;
    Recorder a("a", log), b("b", log), other("other", log);
    bus().addConsumer(kType, &a);
    bus().addConsumer(kType, &b);
    bus().addConsumer(kOtherType, &other);
    bus().addConsumer(77, &other);
    a.action = [&](EVT::I_Event*) {
        bus().raiseEvent(77, true);
        bus().raiseEvent(kOtherType, false);
    };
    bool first = true;
    b.action = [&](EVT::I_Event*) {
        if (first) {
            first = false;
            bus().raiseEvent(kOtherType, true);
        }
    };

    bus().raiseEvent(kType, false);

    EXPECT_EQ(log, (Log{"a:50", "other:51", "b:50", "other:77", "other:51"}));
    EXPECT_EQ(bus().getDepth(), 0);
}

TEST(EventBus, QueuedCopyOutlivesTheStackEventAndSeesRemovalsAlreadyApplied) {
    Log log;
    std::vector<int> keysSeen;
    Recorder raiser("raiser", log), quitter("quitter", log), keys("keys", log);
    bus().addConsumer(kType, &raiser);
    bus().addConsumer(kType, &quitter);
    bus().addConsumer(EVT::ET_KEY, &keys);
    bus().addConsumer(EVT::ET_KEY, &quitter);
    raiser.action = [&](EVT::I_Event*) {
        EVT::Event_Key onStack(97, true, 5);
        bus().raiseEvent(&onStack, true);
        onStack.key = 0;  // the queued copy must not see this
    };                    // onStack is gone here
    quitter.action = [&](EVT::I_Event* event) {
        if (event->type == kType) {
            bus().removeConsumer(&quitter);
        }
    };
    keys.action = [&](EVT::I_Event* event) {
        auto* key = static_cast<EVT::Event_Key*>(event);
        keysSeen.push_back(key->key);
        keysSeen.push_back(key->modifiers);
        keysSeen.push_back(key->pressed ? 1 : 0);
    };

    bus().raiseEvent(kType, false);

    EXPECT_EQ(log, (Log{"raiser:50", "quitter:50", "keys:13"}));
    EXPECT_EQ(keysSeen, (std::vector<int>{97, 5, 1}));
}

TEST(EventBus, QueuedRaiseOutsideADeliveryIsDeliveredAtOnce) {
    Log log;
    Recorder a("a", log);
    bus().addConsumer(kType, &a);
    bus().raiseEvent(kType, true);
    EXPECT_EQ(log, (Log{"a:50"}));
}

TEST(EventBus, EventsQueuedWhileTheQueueIsDeliveredWaitForTheNextOutermostRaise) {
    Log log;
    Recorder a("a", log), b("b", log);
    bus().addConsumer(kType, &a);
    bus().addConsumer(kOtherType, &b);
    int queuedFromB = 0;
    a.action = [&](EVT::I_Event*) { bus().raiseEvent(kOtherType, true); };
    b.action = [&](EVT::I_Event*) {
        if (queuedFromB++ == 0) {
            bus().raiseEvent(kOtherType, true);
        }
    };

    bus().raiseEvent(kType, false);
    EXPECT_EQ(log, (Log{"a:50", "b:51"}));

    bus().raiseEvent(99, false);
    EXPECT_EQ(log, (Log{"a:50", "b:51", "b:51"}));
}

TEST(EventBus, ConsumerDestroyedDuringDeliveryIsToldApartFromOneBuiltInItsMemory) {
    Log log;
    Recorder first("first", log);
    alignas(Recorder) unsigned char storage[sizeof(Recorder)];
    auto* victim = new (storage) Recorder("victim", log);
    const unsigned long victimID = victim->getID();
    Recorder* reborn = nullptr;
    bus().addConsumer(kType, &first);
    bus().addConsumer(kType, victim);
    first.action = [&](EVT::I_Event*) {
        if (reborn == nullptr) {
            victim->~Recorder();
            reborn = new (storage) Recorder("reborn", log);
            bus().addConsumer(kType, reborn);
        }
    };

    bus().raiseEvent(kType, false);
    EXPECT_NE(reborn->getID(), victimID);
    EXPECT_EQ(log, (Log{"first:50", "reborn:50"}));

    // The dead consumer's entry is gone and the new one keeps its own subscription.
    log.clear();
    bus().raiseEvent(kType, false);
    EXPECT_EQ(log, (Log{"first:50", "reborn:50"}));
    reborn->~Recorder();
}

TEST(EventBus, DestroyedConsumerIsUnsubscribedFromEveryType) {
    Log log;
    Recorder a("a", log);
    {
        Recorder gone("gone", log);
        bus().addConsumer(kType, &gone);
        bus().addConsumer(kOtherType, &gone);
    }
    bus().addConsumer(kType, &a);
    bus().raiseEvent(kType, false);
    bus().raiseEvent(kOtherType, false);
    EXPECT_EQ(log, (Log{"a:50"}));
}

TEST(EventBus, RemovalOfAnUnknownTypeDuringDeliveryDoesNotCancelALaterSubscription) {
    Log log;
    Recorder a("a", log);
    bus().addConsumer(kType, &a);
    bool once = true;
    a.action = [&](EVT::I_Event*) {
        if (once) {
            once = false;
            bus().removeConsumer(123, &a);  // never subscribed, type unknown
        }
    };
    bus().raiseEvent(kType, false);

    bus().addConsumer(123, &a);
    bus().raiseEvent(kType, false);  // an outermost raise after the subscription
    bus().raiseEvent(123, false);
    EXPECT_EQ(log, (Log{"a:50", "a:50", "a:123"}));
}

TEST(EventClasses, CloneCopiesTheConcreteClassWithItsMembers) {
    EVT::Event_Joypad pad(3, -1, 1);
    pad.buttons[2] = true;
    std::unique_ptr<EVT::I_Event> copy(static_cast<const EVT::I_Event&>(pad).clone());
    auto* padCopy = dynamic_cast<EVT::Event_Joypad*>(copy.get());
    ASSERT_NE(padCopy, nullptr);
    EXPECT_EQ(padCopy->type, EVT::ET_JOYPAD);
    EXPECT_EQ(padCopy->joystick, 3);
    EXPECT_EQ(padCopy->x, -1);
    EXPECT_EQ(padCopy->y, 1);
    EXPECT_FALSE(padCopy->buttons[0]);
    EXPECT_TRUE(padCopy->buttons[2]);

    EVT::Event_SetMouse request(-1, 40, EVT::Event_SetMouse::kHideCursor);
    std::unique_ptr<EVT::I_Event> requestCopy(static_cast<const EVT::I_Event&>(request).clone());
    auto* setMouse = dynamic_cast<EVT::Event_SetMouse*>(requestCopy.get());
    ASSERT_NE(setMouse, nullptr);
    EXPECT_EQ(setMouse->type, 10);
    EXPECT_EQ(setMouse->getX(), -1);
    EXPECT_EQ(setMouse->getY(), 40);
    EXPECT_EQ(setMouse->getCursorAction(), 2);

    std::unique_ptr<EVT::I_Event> plain(EVT::Event(77).clone());
    EXPECT_EQ(plain->type, 77);
}

TEST(EventClasses, TypeNumbersAreFixed) {
    EXPECT_EQ(EVT::Event_Update(16.0f).type, 6);
    EXPECT_EQ(EVT::Event_PreUpdate(16.0f).type, 7);
    EXPECT_EQ(EVT::Event_Screen(640, 480).type, 9);
    EXPECT_EQ(EVT::Event_Mouse().type, 11);
    EXPECT_EQ(EVT::Event_EnterLeave(true).type, 12);
    EXPECT_EQ(EVT::Event_Key(27, true, 0).type, 13);
    EXPECT_EQ(EVT::ET_QUIT, 1);
    EXPECT_EQ(EVT::ET_PAUSE, 4);
    EXPECT_EQ(EVT::ET_RESUME, 5);
    EXPECT_EQ(EVT::ET_RENDER, 8);
}
