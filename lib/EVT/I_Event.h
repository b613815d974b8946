#pragma once

namespace EVT {

// The event type numbers the engine raises and consumes. Type numbers are plain
// integers: consumers may subscribe to, and producers raise, any other number too.
enum EventType : int {
    ET_QUIT = 1,          // EVT::Event: end the frame loop
    ET_PAUSE = 4,         // EVT::Event
    ET_RESUME = 5,        // EVT::Event
    ET_UPDATE = 6,        // EVT::Event_Update, once per frame
    ET_PRE_UPDATE = 7,    // EVT::Event_PreUpdate, once per frame just before ET_UPDATE
    ET_RENDER = 8,        // EVT::Event, once per frame after ET_UPDATE
    ET_SCREEN = 9,        // EVT::Event_Screen
    ET_SET_MOUSE = 10,    // EVT::Event_SetMouse
    ET_MOUSE = 11,        // EVT::Event_Mouse
    ET_ENTER_LEAVE = 12,  // EVT::Event_EnterLeave
    ET_KEY = 13,          // EVT::Event_Key
    ET_JOYPAD = 14        // EVT::Event_Joypad
};

// The base of all events: a type number, and a copy operation for the bus's queue.
class I_Event {
public:
    virtual ~I_Event() = default;

    // A new heap copy of the same concrete class, owned by the caller.
    virtual I_Event* clone() const = 0;

    int type;

protected:
    explicit I_Event(int eventType) : type(eventType) {}
    I_Event(const I_Event&) = default;
    I_Event& operator=(const I_Event&) = default;
};

}  // namespace EVT
