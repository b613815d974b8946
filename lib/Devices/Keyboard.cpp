#include "Devices/Keyboard.h"

#include <memory>

#include "Devices/KeyCodes.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"

namespace Devices {

Keyboard::Keyboard() {
    for (int code = 0; code < kKeyCount; ++code) {
        keyDown[code] = false;
        pressEvents[code] = nullptr;
        releaseEvents[code] = nullptr;
    }
    reset();
    Util::Singleton<EVT::EventBus>::instance().addConsumer(EVT::ET_KEY, this);
}

Keyboard::~Keyboard() {
    reset();
}

void Keyboard::reset() {
    for (int code = 0; code < kKeyCount; ++code) {
        keyDown[code] = false;
        replaceEvent(pressEvents[code], nullptr);
        replaceEvent(releaseEvents[code], nullptr);
    }
}

void Keyboard::addKeyPressEvent(unsigned char code, const EVT::I_Event& event) {
    replaceEvent(pressEvents[code], event.clone());
}

void Keyboard::addKeyReleaseEvent(unsigned char code, const EVT::I_Event& event) {
    replaceEvent(releaseEvents[code], event.clone());
}

void Keyboard::doKey(unsigned char code, bool down) {
    if (keyDown[code] == down) {
        return;
    }
    keyDown[code] = down;
    const EVT::I_Event* stored = down ? pressEvents[code] : releaseEvents[code];
    if (stored != nullptr) {
        raiseCopy(stored);
    }
}

void Keyboard::handleEvent(EVT::I_Event* event) {
    auto* key = dynamic_cast<EVT::Event_Key*>(event);
    if (key == nullptr) {
        return;
    }
    // Copies: the handlers of a raised press or release event may change the event.
    const int modifiers = key->modifiers;
    doKey(key->key, key->pressed);
    doKey(KEY_SHIFT, (modifiers & MOD_SHIFT) != 0);
    doKey(KEY_ALT, (modifiers & MOD_ALT) != 0);
    doKey(KEY_CTRL, (modifiers & MOD_CTRL) != 0);
}

void Keyboard::replaceEvent(EVT::I_Event*& slot, EVT::I_Event* event) {
    delete slot;
    slot = event;
}

// Raises a copy of the stored event, so that a handler that replaces or clears the
// stored events (addKeyPressEvent, reset) cannot delete the event being delivered.
void Keyboard::raiseCopy(const EVT::I_Event* event) {
    std::unique_ptr<EVT::I_Event> copy(event->clone());
    Util::Singleton<EVT::EventBus>::instance().raiseEvent(copy.get(), false);
}

}  // namespace Devices
