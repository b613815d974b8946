#include "EVT/EventBus.h"

#include "EVT/Event.h"
#include "EVT/I_EventConsumer.h"

namespace EVT {

EventBus::EventBus() : currentQueue(&firstQueue), otherQueue(&secondQueue) {}

// Events still queued at process exit are discarded and deleted.
EventBus::~EventBus() {
    for (I_Event* event : firstQueue) {
        delete event;
    }
    for (I_Event* event : secondQueue) {
        delete event;
    }
}

void EventBus::addConsumer(int type, I_EventConsumer* consumer) {
    knownTypes.insert(type);
    const Entry entry(consumer, consumer->getID());
    EntryList& list = consumers[type];
    if (findConsumer(entry, list) == list.end()) {
        list.push_back(entry);
        return;
    }
    // Already subscribed: a removal requested during the running delivery is undone,
    // so the consumer keeps its place in the list.
    EntryList& pending = pendingRemovals[type];
    auto it = findConsumer(entry, pending);
    if (it != pending.end()) {
        pending.erase(it);
    }
}

void EventBus::removeConsumer(int type, I_EventConsumer* consumer) {
    removeConsumer(type, Entry(consumer, consumer->getID()));
}

void EventBus::removeConsumer(I_EventConsumer* consumer) {
    for (int type : knownTypes) {
        removeConsumer(type, consumer);
    }
}

void EventBus::removeConsumer(int type, const Entry& entry) {
    if (depth != 0) {
        pendingRemovals[type].push_back(entry);
        return;
    }
    auto found = consumers.find(type);
    if (found == consumers.end()) {
        return;
    }
    EntryList& list = found->second;
    auto it = findConsumer(entry, list);
    if (it != list.end()) {
        list.erase(it);
    }
}

void EventBus::raiseEvent(int type, bool queue) {
    Event event(type);
    raiseEvent(&event, queue);
}

void EventBus::raiseEvent(I_Event* event, bool queue) {
    if (queue && depth != 0) {
        currentQueue->push_back(event->clone());
        return;
    }
    processEvent(event);
    if (depth != 0) {
        return;
    }
    // The outermost raise: honour the removals requested during the delivery, then
    // deliver what was queued meanwhile.
    applyPendingRemovals();
    deliverQueuedEvents();
}

void EventBus::dump() const {}

void EventBus::processEvent(I_Event* event) {
    const int type = event->type;
    // The list lives in a map node, so it stays put while handlers subscribe to other
    // types; it may grow during the walk (additions are reached), and it never
    // shrinks while depth is not 0. Walk by index since growing may reallocate.
    // The pending removals of the type likewise stay in one map node (never erased),
    // so both are looked up once; handlers may append to either during the walk.
    const EntryList& list = consumers[type];
    const EntryList& pending = pendingRemovals[type];
    ++depth;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Entry entry = list[i];
        if (!pending.empty() && findConsumer(entry, pending) != pending.end()) {
            continue;
        }
        entry.first->handleEvent(event);
    }
    --depth;
}

EventBus::EntryList::const_iterator EventBus::findConsumer(const Entry& entry,
                                                           const EntryList& list) const {
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->second == entry.second) {
            return it;
        }
    }
    return list.end();
}

// Applies every pending removal in ascending type order. Types that were never
// subscribed to are included too: a removal requested for such a type must not linger
// and later cancel a subscription made after this raise finished.
void EventBus::applyPendingRemovals() {
    for (auto& typeAndEntries : pendingRemovals) {
        EntryList entries;
        entries.swap(typeAndEntries.second);
        for (const Entry& entry : entries) {
            removeConsumer(typeAndEntries.first, entry);
        }
    }
}

void EventBus::deliverQueuedEvents() {
    std::swap(currentQueue, otherQueue);
    std::vector<I_Event*>& delivering = *otherQueue;
    for (std::size_t i = 0; i < delivering.size(); ++i) {
        processEvent(delivering[i]);
        delete delivering[i];
        delivering[i] = nullptr;
    }
    delivering.clear();
}

}  // namespace EVT
