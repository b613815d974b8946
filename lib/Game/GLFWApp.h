#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "EVT/Event.h"
#include "EVT/I_EventConsumer.h"
#include "Game/I_WindowApp.h"

namespace Game {

struct GLFWAppState;

// The game window: one GLFW window with an OpenGL context, its input turned into
// events on the bus, and the frame loop that drives the game. There is one per
// process; the window callbacks reach its state through one file-level pointer.
class GLFWApp : public I_WindowApp, public EVT::I_EventConsumer {
public:
    // Opens the window (size chosen by chooseWindowSize), makes its context current and
    // announces its size twice with ET_SCREEN. Ends the process with the fatal report
    // when the window system cannot start or the window cannot be opened.
    GLFWApp(const char* title, int width, int height, bool fullscreen, unsigned long clearColour,
            bool clearEnabled, float gameSpeed);
    // Terminates the window system (closing the window).
    ~GLFWApp() override;

    bool initWindowApp() override;
    // Calls frame() until a quit event has been handled. In the browser the page's
    // animation frames call frame() instead: run() hands the loop over and does not
    // return to its caller.
    void run() override;
    // One step of the frame loop: the focus-change event when the window's active
    // state changed since the previous step, one joystick event per joystick, then the
    // pre-update, update and render events of one frame (the game manager presents the
    // frame in the render event, which is when the window's input arrives). A host with
    // a main loop of its own calls it once per frame instead of run(). Returns false
    // once a quit event has been handled, in this step or before: the key and mouse
    // callbacks are removed then, and later calls run no frame.
    bool frame();
    void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) override;
    void setSize(const std::pair<int, int>& size) override;
    double getTime() const override;
    void resetTime() override;
    // Swaps the buffers, then polls the window system: input callbacks run in here.
    void showWindow() override;
    void clearWindow(unsigned long colour) override;

    // ET_QUIT ends the frame loop after the current frame; ET_SET_MOUSE moves the
    // pointer and shows or hides the cursor.
    void handleEvent(EVT::I_Event* event) override;

protected:
    // Factor applied to every frame time.
    float gameSpeed;

private:
    std::unique_ptr<GLFWAppState> state;  // owned: window, flags, input and frame clock
};

// The window size to open, from the requested size, the full-screen flag, the sizes
// the display offers and the desktop size:
// - a request of 0 by 0 gives the desktop size;
// - an offered size is used as it is;
// - otherwise full screen, or an empty list of offered sizes, gives the desktop size;
// - otherwise a windowed request is kept when some offered size is at least as wide and
//   some (possibly other) offered size at least as tall, else the desktop size.
std::pair<int, int> chooseWindowSize(const std::pair<int, int>& requested, bool fullscreen,
                                     const std::vector<std::pair<int, int>>& allowed,
                                     const std::pair<int, int>& desktop);

// The key code of a GLFW key: the special keys by the key-code table (arrows 4..7, Home
// 8, End 9, Insert 10, Backspace 11, Delete 12, Enter and Page Up 13, Page Down 14,
// Escape 27, keypad 128..144), other keys below 256 in lower case. 0 for every key that
// raises no key event (function keys, modifiers, Tab, unknown keys).
unsigned char translateKey(int glfwKey);

// The joystick event of one frame from what the driver reports: the first two axes
// truncated towards zero, the first four buttons pressed when GLFW_PRESS. Axes and
// buttons the driver does not report (a null array, or fewer than needed) read as 0
// and released.
EVT::Event_Joypad makeJoypadEvent(int joystick, const float* axes, int axisCount,
                                  const unsigned char* buttons, int buttonCount);

// The window system's callbacks, in the shape the engine uses; the GLFW callbacks
// forward to them. Each raises its event unqueued on the bus.
int WindowCloseFunc();                    // ET_QUIT; returns 1: the window may close
void ReshapeFunc(int width, int height);  // ET_SCREEN, a 0 raised as 1
// ET_KEY; a press takes the modifier bits the window system reported with its key
// event, a release carries the bits of its press.
void KeyFunc(int key, int action);
void MouseButtonFunc(int button, int action);  // ET_MOUSE, while the window is active
void MouseMotionFunc(int x, int y);            // ET_MOUSE, while the window is active
void MouseWheelFunc(int position);             // ET_MOUSE with the wheel change

}  // namespace Game
