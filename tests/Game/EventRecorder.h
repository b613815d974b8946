#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "EVT/EventBus.h"
#include "EVT/I_Event.h"
#include "EVT/I_EventConsumer.h"

namespace TestSupport {

// Subscribes to the given event types and keeps a copy of every event it receives, in
// order; onEvent, when set, runs after the copy is kept.
class EventRecorder : public EVT::I_EventConsumer {
public:
    explicit EventRecorder(std::initializer_list<int> types) {
        for (int type : types) {
            Util::Singleton<EVT::EventBus>::instance().addConsumer(type, this);
        }
    }

    void handleEvent(EVT::I_Event* event) override {
        events.emplace_back(event->clone());
        if (onEvent) {
            onEvent(*event);
        }
    }

    std::vector<int> types() const {
        std::vector<int> result;
        for (const auto& event : events) {
            result.push_back(event->type);
        }
        return result;
    }

    size_t count(int type) const {
        size_t result = 0;
        for (const auto& event : events) {
            result += event->type == type ? 1 : 0;
        }
        return result;
    }

    // Copies of the recorded events of one type, as their concrete class T.
    template <class T>
    std::vector<T> all(int type) const {
        std::vector<T> result;
        for (const auto& event : events) {
            if (event->type == type) {
                result.push_back(static_cast<const T&>(*event));
            }
        }
        return result;
    }

    std::vector<std::unique_ptr<EVT::I_Event>> events;
    std::function<void(EVT::I_Event&)> onEvent;
};

}  // namespace TestSupport
