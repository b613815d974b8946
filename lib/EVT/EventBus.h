#pragma once

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "Util/Singleton.h"

namespace EVT {

class I_Event;
class I_EventConsumer;

// The process-wide event bus, Util::Singleton<EVT::EventBus>::instance(). Consumers
// subscribe to type numbers and are called in subscription order. A handler may raise
// events, subscribe, unsubscribe and destroy consumers (itself included) while an
// event is delivered:
// - additions take effect at once and are reached by the running walk;
// - removals during a delivery are deferred until the outermost raise finishes, but a
//   consumer whose removal is pending is not called any more;
// - a queued raise during a delivery is copied and delivered after the outermost
//   delivery, in raising order; an unqueued raise is delivered at once, nested.
// Consumers are identified by their ID, never by their address.
class EventBus : public Util::Singleton<EventBus> {
public:
    // (consumer, consumer's ID); the pointer is used only to call the consumer.
    using Entry = std::pair<I_EventConsumer*, unsigned long>;
    using EntryList = std::vector<Entry>;

    virtual ~EventBus();

    virtual void addConsumer(int type, I_EventConsumer* consumer);
    virtual void removeConsumer(int type, I_EventConsumer* consumer);
    // Unsubscribes the consumer from every type ever subscribed to by anyone.
    virtual void removeConsumer(I_EventConsumer* consumer);
    // Raises a plain EVT::Event of the type.
    virtual void raiseEvent(int type, bool queue);
    // The bus never takes ownership of event; a queued event is copied.
    virtual void raiseEvent(I_Event* event, bool queue);
    // Diagnostic hook; writes nothing.
    virtual void dump() const;
    // Delivers one event to the consumers of its type.
    virtual void processEvent(I_Event* event);
    // The first entry of list with the ID of entry, or list's end.
    virtual EntryList::const_iterator findConsumer(const Entry& entry, const EntryList& list) const;
    // Removes at once when no delivery runs; otherwise records a pending removal.
    virtual void removeConsumer(int type, const Entry& entry);

    // Number of deliveries in progress (0 when idle).
    int getDepth() const { return depth; }

private:
    friend class Util::Singleton<EventBus>;
    EventBus();

    void applyPendingRemovals();
    void deliverQueuedEvents();

    int depth = 0;
    std::vector<I_Event*> firstQueue;     // owned events
    std::vector<I_Event*> secondQueue;    // owned events
    std::vector<I_Event*>* currentQueue;  // where queued raises go
    std::vector<I_Event*>* otherQueue;    // the queue being delivered
    std::map<int, EntryList> consumers;
    std::map<int, EntryList> pendingRemovals;
    std::set<int> knownTypes;  // every type ever passed to addConsumer; only grows
};

}  // namespace EVT
