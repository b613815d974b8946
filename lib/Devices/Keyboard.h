#pragma once

#include "EVT/I_EventConsumer.h"

namespace EVT {
class I_Event;
}

namespace Devices {

// The table of held keys, kept from the key events (type 13) of the bus, and events to
// raise when a key goes down or up. The modifier bits of each key event also drive the
// pseudo keys 1 (shift), 2 (alt) and 3 (ctrl). Reached through Devices::getKeyboard().
class Keyboard : public EVT::I_EventConsumer {
public:
    // Modifier bits of a key event and their sums; MOD_INVALID stands for no valid set.
    enum Modifiers : int {
        MOD_NONE = 0,
        MOD_SHIFT = 1,
        MOD_ALT = 2,
        MOD_CTRL = 4,
        MOD_INVALID = 0xffff
    };

    static constexpr int kKeyCount = 256;

    // Clears every table and subscribes to key events.
    Keyboard();
    // Deletes the stored events; the consumer base unsubscribes.
    ~Keyboard() override;

    // Handles an EVT::Event_Key: the key, then the three modifier pseudo keys. Any other
    // event (a plain event raised with the key type number) is ignored.
    void handleEvent(EVT::I_Event* event) override;
    // Releases every key, without raising anything, and deletes the stored events.
    virtual void reset();

    // Stores a copy of event, raised (unqueued) whenever the code goes down or up;
    // replaces and deletes the event stored before for the code.
    void addKeyPressEvent(unsigned char code, const EVT::I_Event& event);
    void addKeyReleaseEvent(unsigned char code, const EVT::I_Event& event);

    // Changes one code's state; raises the stored event only on an actual change.
    void doKey(unsigned char code, bool down);

    // True while the code is held.
    bool isKeyDown(unsigned char code) const { return keyDown[code]; }

private:
    static void replaceEvent(EVT::I_Event*& slot, EVT::I_Event* event);
    static void raiseCopy(const EVT::I_Event* event);

    bool keyDown[kKeyCount];
    EVT::I_Event* pressEvents[kKeyCount];    // owned, null when none
    EVT::I_Event* releaseEvents[kKeyCount];  // owned, null when none
};

}  // namespace Devices
