#pragma once

#include "EVT/I_Event.h"

namespace EVT {

// An event whose type number alone is the message (quit, pause, resume, render, and
// any number raised through EventBus::raiseEvent(int, bool)).
class Event : public I_Event {
public:
    explicit Event(int eventType) : I_Event(eventType) {}
    Event* clone() const override { return new Event(*this); }
};

// A key went down or up. key is the engine's 8-bit key code (Devices/KeyCodes.h);
// modifiers are the bits 1 shift, 2 alt, 4 ctrl held at the press (a release carries
// the bits of its press).
class Event_Key : public I_Event {
public:
    Event_Key(unsigned char keyCode = 0, bool isPressed = false, int modifierBits = 0)
        : I_Event(ET_KEY), key(keyCode), pressed(isPressed), modifiers(modifierBits) {}
    Event_Key* clone() const override { return new Event_Key(*this); }

    unsigned char key;
    bool pressed;
    int modifiers;
};

// Pointer input in window pixels. wheel is the change of the wheel position since the
// previous wheel event (0 otherwise); buttons is the button that changed, 1 left,
// 2 right, 4 middle (0 for motion and wheel), pressed whether it went down.
class Event_Mouse : public I_Event {
public:
    Event_Mouse(int posX = 0, int posY = 0, int wheelChange = 0, int buttonMask = 0,
                bool isPressed = false)
        : I_Event(ET_MOUSE),
          x(posX),
          y(posY),
          wheel(wheelChange),
          buttons(buttonMask),
          pressed(isPressed) {}
    Event_Mouse* clone() const override { return new Event_Mouse(*this); }

    int x;
    int y;
    int wheel;
    int buttons;
    bool pressed;
};

// The state of one joystick (index 0 to 15): the first two axes truncated towards zero
// (-1, 0 or 1) and the pressed state of the first four buttons.
class Event_Joypad : public I_Event {
public:
    static constexpr int kButtons = 4;

    Event_Joypad(int joystickIndex = 0, int axisX = 0, int axisY = 0)
        : I_Event(ET_JOYPAD), joystick(joystickIndex), x(axisX), y(axisY) {}
    Event_Joypad* clone() const override { return new Event_Joypad(*this); }

    int joystick;
    int x;
    int y;
    bool buttons[kButtons] = {false, false, false, false};
};

// The new size of the drawing area in pixels; a 0 is raised as 1.
class Event_Screen : public I_Event {
public:
    Event_Screen(int newWidth = 1, int newHeight = 1)
        : I_Event(ET_SCREEN), width(newWidth), height(newHeight) {}
    Event_Screen* clone() const override { return new Event_Screen(*this); }

    int width;
    int height;
};

// One frame's length in milliseconds of game time (already scaled by the game speed).
class Event_Update : public I_Event {
public:
    explicit Event_Update(float elapsedMs = 0.0f) : I_Event(ET_UPDATE), elapsed(elapsedMs) {}
    Event_Update* clone() const override { return new Event_Update(*this); }

    float elapsed;
};

// The same frame length as the Event_Update that follows it, raised just before it.
class Event_PreUpdate : public I_Event {
public:
    explicit Event_PreUpdate(float elapsedMs = 0.0f) : I_Event(ET_PRE_UPDATE), elapsed(elapsedMs) {}
    Event_PreUpdate* clone() const override { return new Event_PreUpdate(*this); }

    float elapsed;
};

// The window became (entered true) or stopped being (false) the active window.
class Event_EnterLeave : public I_Event {
public:
    explicit Event_EnterLeave(bool hasEntered = false)
        : I_Event(ET_ENTER_LEAVE), entered(hasEntered) {}
    Event_EnterLeave* clone() const override { return new Event_EnterLeave(*this); }

    bool entered;
};

// A request to move the pointer and to show or hide the cursor, read only through its
// three operations: a coordinate of -1 is not given; cursor action 1 shows the cursor,
// 2 hides it, anything else leaves it as it is.
class Event_SetMouse : public I_Event {
public:
    static constexpr int kNotGiven = -1;
    static constexpr int kShowCursor = 1;
    static constexpr int kHideCursor = 2;

    Event_SetMouse(int posX = kNotGiven, int posY = kNotGiven, int action = 0)
        : I_Event(ET_SET_MOUSE), targetX(posX), targetY(posY), cursorAction(action) {}
    Event_SetMouse* clone() const override { return new Event_SetMouse(*this); }

    virtual int getX() const { return targetX; }
    virtual int getY() const { return targetY; }
    virtual int getCursorAction() const { return cursorAction; }

private:
    int targetX;
    int targetY;
    int cursorAction;
};

}  // namespace EVT
