#include "Game/GLFWApp.h"

// The OpenGL calls are the back end's: GLFW brings no GL header of its own.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "Devices/KeyCodes.h"
#include "EVT/EventBus.h"
#include "Render/OGL/FrameCalls.h"
#include "Render/OGL/SwapInterval.h"
#include "Util/FatalReport.h"

namespace Game {

namespace {

// One window application per process: the callbacks reach it through this state.
GLFWApp* g_app = nullptr;        // set by the constructor, null after destruction
GLFWwindow* g_window = nullptr;  // the window of g_app; destroyed by glfwTerminate
bool g_exitApp = false;          // set by a quit event; never cleared
bool g_resetTime = false;        // consumed by the next frame
bool g_mouseAtv = true;          // mouse events only while the window is active
constexpr int kKeyCodes = 256;
int s_keypressModifiers[kKeyCodes];  // modifier bits at each code's last press
int g_modifierState = 0;             // modifier bits reported with the latest key event
int g_prevWheelPos = 0;              // wheel position of the previous wheel event
double g_wheelPosition = 0.0;        // sum of all scroll offsets: the wheel's position
std::vector<int> l_joysticks;        // joysticks found by the one scan
bool l_lookedForJoysticks = false;
double l_lastCount = 0.0;     // time of the previous frame, seconds
std::string l_lastGlfwError;  // the latest GLFW error, for the fatal report

// Pointer positions set on request whose motion reports may still come: the window
// system delivers them while polling, after the motion callback is attached again.
struct RequestedMove {
    int x;
    int y;
    int pollsLeft;  // polls after which no report is expected any more
};
std::vector<RequestedMove> l_requestedMoves;
constexpr int kPollsForMoveReport = 2;

constexpr int kDepthBits = 24;
constexpr int kStencilBits = 0;
constexpr int kMaxVideoModes = 1000;
constexpr int kMaxJoysticks = 16;
constexpr int kJoypadAxes = 2;
constexpr double kMillisecondsPerSecond = 1000.0;

constexpr int kModShift = 1;
constexpr int kModAlt = 2;
constexpr int kModCtrl = 4;

constexpr int kMouseLeft = 1;
constexpr int kMouseRight = 2;
constexpr int kMouseMiddle = 4;

// GLFW's special keys and the key codes they are raised as.
struct SpecialKey {
    int glfwKey;
    unsigned char code;
};
constexpr SpecialKey kSpecialKeys[] = {
    {GLFW_KEY_LEFT, Devices::KEY_LEFT},
    {GLFW_KEY_RIGHT, Devices::KEY_RIGHT},
    {GLFW_KEY_UP, Devices::KEY_UP},
    {GLFW_KEY_DOWN, Devices::KEY_DOWN},
    {GLFW_KEY_HOME, Devices::KEY_HOME},
    {GLFW_KEY_END, Devices::KEY_END},
    {GLFW_KEY_INSERT, Devices::KEY_INSERT},
    {GLFW_KEY_BACKSPACE, Devices::KEY_BACKSPACE},
    {GLFW_KEY_DELETE, Devices::KEY_DELETE},
    {GLFW_KEY_ENTER, Devices::KEY_RETURN},
    {GLFW_KEY_PAGE_UP, Devices::KEY_PAGE_UP},
    {GLFW_KEY_PAGE_DOWN, Devices::KEY_PAGE_DOWN},
    {GLFW_KEY_ESCAPE, Devices::KEY_ESC},
    {GLFW_KEY_KP_DIVIDE, Devices::KEY_KP_DIVIDE},
    {GLFW_KEY_KP_MULTIPLY, Devices::KEY_KP_MULTIPLY},
    {GLFW_KEY_KP_SUBTRACT, Devices::KEY_KP_SUBTRACT},
    {GLFW_KEY_KP_ADD, Devices::KEY_KP_ADD},
    {GLFW_KEY_KP_DECIMAL, Devices::KEY_KP_DECIMAL},
    {GLFW_KEY_KP_EQUAL, Devices::KEY_KP_EQUAL},
    {GLFW_KEY_KP_ENTER, Devices::KEY_KP_ENTER},
};

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

void rememberGlfwError(int, const char* description) {
    l_lastGlfwError = description ? description : "";
}

// What the user is missing when the window system cannot start or open the window.
std::string displayName() {
    const char* display = std::getenv("DISPLAY");
    return display ? display : "";
}

std::string startFailureHint() {
    if (displayName().empty()) {
        return " (no display is available: DISPLAY is not set)";
    }
    return " (cannot use display " + displayName() + ")";
}

std::string openFailureHint() {
    return " (no usable OpenGL driver for display " + displayName() + ")";
}

// A size event never carries 0: a 0 is announced as 1.
void raiseScreen(int width, int height) {
    EVT::Event_Screen event(std::max(width, 1), std::max(height, 1));
    bus().raiseEvent(&event, false);
}

bool windowIsActive() {
    return g_window && glfwGetWindowAttrib(g_window, GLFW_FOCUSED) == GLFW_TRUE;
}

std::pair<int, int> desktopSize() {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode) {
        return {0, 0};
    }
    return {mode->width, mode->height};
}

// GLFW 3's modifier flags (ctrl 2, alt 4) in the engine's order: 1 shift, 2 alt, 4 ctrl.
// The flags come with every key event and describe the keys held at that moment. The
// modifier keys' own polled state is not used: with sticky keys on, a shift that was
// tapped and released long before would read as held once more.
int engineModifiers(int glfwMods) {
    int bits = 0;
    if (glfwMods & GLFW_MOD_SHIFT) {
        bits += kModShift;
    }
    if (glfwMods & GLFW_MOD_ALT) {
        bits += kModAlt;
    }
    if (glfwMods & GLFW_MOD_CONTROL) {
        bits += kModCtrl;
    }
    return bits;
}

void pointerPosition(int& x, int& y) {
    double px = 0.0;
    double py = 0.0;
    if (g_window) {
        glfwGetCursorPos(g_window, &px, &py);
    }
    x = static_cast<int>(px);
    y = static_cast<int>(py);
}

// The change of the wheel position since the previous wheel event.
int getWheelDiff(int position) {
    const int diff = position - g_prevWheelPos;
    g_prevWheelPos = position;
    return diff;
}

// GLFW 3 callbacks, forwarding to the engine's callbacks.
void closeCallback(GLFWwindow*) {
    // The close flag stays set; the quit event ends the frame loop.
    WindowCloseFunc();
}
void sizeCallback(GLFWwindow*, int width, int height) {
    ReshapeFunc(width, height);
}
void keyCallback(GLFWwindow*, int key, int, int action, int mods) {
    // Holding a key gives one press and one release.
    if (action == GLFW_REPEAT) {
        return;
    }
    g_modifierState = engineModifiers(mods);
    KeyFunc(key, action);
}
void cursorPosCallback(GLFWwindow*, double x, double y) {
    const int pointerX = static_cast<int>(x);
    const int pointerY = static_cast<int>(y);
    const auto requested = std::find_if(
        l_requestedMoves.begin(), l_requestedMoves.end(),
        [&](const RequestedMove& move) { return move.x == pointerX && move.y == pointerY; });
    if (requested != l_requestedMoves.end()) {
        // The report of a move made on request: it raises no motion event.
        l_requestedMoves.erase(requested);
        return;
    }
    MouseMotionFunc(pointerX, pointerY);
}

// Moves the pointer without a motion event, now or when the move is reported later.
void moveCursorQuietly(int x, int y) {
    glfwSetCursorPos(g_window, x, y);
    l_requestedMoves.push_back({x, y, kPollsForMoveReport});
}
void mouseButtonCallback(GLFWwindow*, int button, int action, int) {
    MouseButtonFunc(button, action);
}
void scrollCallback(GLFWwindow*, double, double yOffset) {
    g_wheelPosition += yOffset;
    MouseWheelFunc(static_cast<int>(g_wheelPosition));
}

// The first call finds the joysticks present; later calls raise one event per
// joystick found then (joysticks plugged in later are not seen).
void checkJoysticks() {
    if (!l_lookedForJoysticks) {
        l_lookedForJoysticks = true;
        for (int index = 0; index < kMaxJoysticks; ++index) {
            if (glfwJoystickPresent(GLFW_JOYSTICK_1 + index) == GLFW_TRUE) {
                l_joysticks.push_back(index);
            }
        }
    }
    for (int index : l_joysticks) {
        int axisCount = 0;
        int buttonCount = 0;
        const float* axes = glfwGetJoystickAxes(GLFW_JOYSTICK_1 + index, &axisCount);
        const unsigned char* buttons =
            glfwGetJoystickButtons(GLFW_JOYSTICK_1 + index, &buttonCount);
        EVT::Event_Joypad event = makeJoypadEvent(index, axes, axisCount, buttons, buttonCount);
        bus().raiseEvent(&event, false);
    }
}

// One frame: the elapsed game time, the pre-update and update events, then the
// render event inside a pushed matrix.
void DrawFunc(float gameSpeed) {
    const double now = glfwGetTime();
    if (g_resetTime) {
        l_lastCount = now;
        g_resetTime = false;
    }
    const float elapsed =
        static_cast<float>((now - l_lastCount) * kMillisecondsPerSecond * gameSpeed);

    EVT::Event_PreUpdate preUpdate(elapsed);
    bus().raiseEvent(&preUpdate, false);
    EVT::Event_Update update(elapsed);
    bus().raiseEvent(&update, false);
    l_lastCount = now;

    Render::OGL::pushFrameMatrix();
    bus().raiseEvent(EVT::ET_RENDER, false);
    Render::OGL::popFrameMatrix();
}

}  // namespace

std::pair<int, int> chooseWindowSize(const std::pair<int, int>& requested, bool fullscreen,
                                     const std::vector<std::pair<int, int>>& allowed,
                                     const std::pair<int, int>& desktop) {
    if (requested.first == 0 && requested.second == 0) {
        return desktop;
    }
    if (std::find(allowed.begin(), allowed.end(), requested) != allowed.end()) {
        return requested;
    }
    if (fullscreen || allowed.empty()) {
        return desktop;
    }
    const bool wideEnough = std::any_of(allowed.begin(), allowed.end(), [&](const auto& size) {
        return size.first >= requested.first;
    });
    const bool tallEnough = std::any_of(allowed.begin(), allowed.end(), [&](const auto& size) {
        return size.second >= requested.second;
    });
    return wideEnough && tallEnough ? requested : desktop;
}

unsigned char translateKey(int glfwKey) {
    for (const SpecialKey& special : kSpecialKeys) {
        if (special.glfwKey == glfwKey) {
            return special.code;
        }
    }
    if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9) {
        return static_cast<unsigned char>(Devices::KEY_KP_0 + (glfwKey - GLFW_KEY_KP_0));
    }
    if (glfwKey <= 0 || glfwKey >= kKeyCodes) {
        return 0;
    }
    return static_cast<unsigned char>(std::tolower(glfwKey));
}

EVT::Event_Joypad makeJoypadEvent(int joystick, const float* axes, int axisCount,
                                  const unsigned char* buttons, int buttonCount) {
    float axis[kJoypadAxes] = {0.0f, 0.0f};
    for (int i = 0; axes && i < std::min(axisCount, kJoypadAxes); ++i) {
        axis[i] = axes[i];
    }
    EVT::Event_Joypad event(joystick, static_cast<int>(axis[0]), static_cast<int>(axis[1]));
    for (int i = 0; buttons && i < std::min(buttonCount, EVT::Event_Joypad::kButtons); ++i) {
        event.buttons[i] = buttons[i] == GLFW_PRESS;
    }
    return event;
}

int WindowCloseFunc() {
    bus().raiseEvent(EVT::ET_QUIT, false);
    return 1;
}

void ReshapeFunc(int width, int height) {
    raiseScreen(width, height);
}

void KeyFunc(int key, int action) {
    const unsigned char code = translateKey(key);
    if (code == 0) {
        return;
    }
    const bool pressed = action == GLFW_PRESS;
    if (pressed) {
        s_keypressModifiers[code] = g_modifierState;
    }
    EVT::Event_Key event(code, pressed, s_keypressModifiers[code]);
    bus().raiseEvent(&event, false);
}

void MouseButtonFunc(int button, int action) {
    if (!g_mouseAtv) {
        return;
    }
    int buttons = 0;
    switch (button) {
        case GLFW_MOUSE_BUTTON_LEFT:
            buttons = kMouseLeft;
            break;
        case GLFW_MOUSE_BUTTON_RIGHT:
            buttons = kMouseRight;
            break;
        case GLFW_MOUSE_BUTTON_MIDDLE:
            buttons = kMouseMiddle;
            break;
        default:
            break;
    }
    int x = 0;
    int y = 0;
    pointerPosition(x, y);
    EVT::Event_Mouse event(x, y, 0, buttons, action != 0);
    bus().raiseEvent(&event, false);
}

void MouseMotionFunc(int x, int y) {
    if (!g_mouseAtv) {
        return;
    }
    EVT::Event_Mouse event(x, y, 0, 0, false);
    bus().raiseEvent(&event, false);
}

void MouseWheelFunc(int) {
    if (!g_mouseAtv) {
        return;
    }
    int x = 0;
    int y = 0;
    pointerPosition(x, y);
    const int wheel = getWheelDiff(static_cast<int>(g_wheelPosition));
    EVT::Event_Mouse event(x, y, wheel, 0, false);
    bus().raiseEvent(&event, false);
}

GLFWApp::GLFWApp(const char* title, int width, int height, bool fullscreen,
                 unsigned long clearColour, bool clearEnabled, float gameSpeed)
    : gameSpeed(gameSpeed) {
    setClearColor(clearColour);
    setClearWindow(clearEnabled);
    g_app = this;

    glfwSetErrorCallback(rememberGlfwError);
    if (glfwInit() != GLFW_TRUE) {
        QUORLITH_FATAL("Cannot start the window system: " << l_lastGlfwError << startFailureHint());
    }

    std::vector<std::pair<int, int>> allowed;
    getAllowedSizes(allowed);
    const std::pair<int, int> size =
        chooseWindowSize({width, height}, fullscreen, allowed, desktopSize());
    // A window cannot be opened with a side of 0.
    const int openWidth = std::max(size.first, 1);
    const int openHeight = std::max(size.second, 1);

    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DEPTH_BITS, kDepthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, kStencilBits);
    g_window = glfwCreateWindow(openWidth, openHeight, title,
                                fullscreen ? glfwGetPrimaryMonitor() : nullptr, nullptr);
    if (!g_window) {
        QUORLITH_FATAL("Cannot open a " << openWidth << "x" << openHeight
                                        << " window with an OpenGL context: " << l_lastGlfwError
                                        << openFailureHint());
    }
    glfwMakeContextCurrent(g_window);
    // The render controller's vertical sync goes to this window's context.
    Render::OGL::installSwapInterval(glfwSwapInterval);
    glfwSetWindowCloseCallback(g_window, closeCallback);

    std::fill(std::begin(s_keypressModifiers), std::end(s_keypressModifiers), 0);

    raiseScreen(size.first, size.second);
    glfwSetInputMode(g_window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    raiseScreen(size.first, size.second);
}

GLFWApp::~GLFWApp() {
    Render::OGL::installSwapInterval(nullptr);
    g_app = nullptr;
    g_window = nullptr;
    glfwTerminate();
}

bool GLFWApp::initWindowApp() {
    glfwSetWindowSizeCallback(g_window, sizeCallback);
    glfwSetInputMode(g_window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetKeyCallback(g_window, keyCallback);
    glfwSetCursorPosCallback(g_window, cursorPosCallback);
    glfwSetMouseButtonCallback(g_window, mouseButtonCallback);
    glfwSetScrollCallback(g_window, scrollCallback);
    g_mouseAtv = true;
    bus().addConsumer(EVT::ET_QUIT, this);
    bus().addConsumer(EVT::ET_SET_MOUSE, this);
    return true;
}

void GLFWApp::run() {
    bool active = windowIsActive();
    while (!g_exitApp) {
        const bool nowActive = windowIsActive();
        if (nowActive != active) {
            g_mouseAtv = nowActive;
            EVT::Event_EnterLeave event(nowActive);
            bus().raiseEvent(&event, false);
        }
        checkJoysticks();
        DrawFunc(gameSpeed);
        active = nowActive;
    }
    glfwSetKeyCallback(g_window, nullptr);
    glfwSetCursorPosCallback(g_window, nullptr);
    glfwSetMouseButtonCallback(g_window, nullptr);
}

void GLFWApp::getAllowedSizes(std::vector<std::pair<int, int>>& sizes) {
    std::set<std::pair<int, int>> distinct;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    int count = 0;
    const GLFWvidmode* modes = monitor ? glfwGetVideoModes(monitor, &count) : nullptr;
    for (int i = 0; modes && i < std::min(count, kMaxVideoModes); ++i) {
        if (modes[i].width == 0) {
            break;
        }
        distinct.insert({modes[i].width, modes[i].height});
    }
    sizes.assign(distinct.begin(), distinct.end());
}

void GLFWApp::setSize(const std::pair<int, int>& size) {
    // The window system refuses a side of 0; the window keeps at least one pixel.
    glfwSetWindowSize(g_window, std::max(size.first, 1), std::max(size.second, 1));
    raiseScreen(size.first, size.second);
}

double GLFWApp::getTime() const {
    return glfwGetTime();
}

void GLFWApp::resetTime() {
    g_resetTime = true;
}

void GLFWApp::showWindow() {
    glfwSwapBuffers(g_window);
    glfwPollEvents();
    for (RequestedMove& move : l_requestedMoves) {
        --move.pollsLeft;
    }
    l_requestedMoves.erase(
        std::remove_if(l_requestedMoves.begin(), l_requestedMoves.end(),
                       [](const RequestedMove& move) { return move.pollsLeft <= 0; }),
        l_requestedMoves.end());
}

void GLFWApp::clearWindow(unsigned long colour) {
    constexpr float kChannelMax = 255.0f;
    const auto channel = [colour](int shift) {
        return static_cast<float>((colour >> shift) & 0xffu) / kChannelMax;
    };
    Render::OGL::clearColorAndDepth(channel(24), channel(16), channel(8), channel(0));
}

void GLFWApp::handleEvent(EVT::I_Event* event) {
    if (event->type == EVT::ET_QUIT) {
        g_exitApp = true;
        return;
    }
    if (event->type != EVT::ET_SET_MOUSE) {
        return;
    }
    const auto* request = static_cast<EVT::Event_SetMouse*>(event);
    const int x = request->getX();
    const int y = request->getY();
    const bool positionGiven =
        x != EVT::Event_SetMouse::kNotGiven && y != EVT::Event_SetMouse::kNotGiven;

    // Moving the pointer here must not raise a motion event.
    glfwSetCursorPosCallback(g_window, nullptr);
    switch (request->getCursorAction()) {
        case EVT::Event_SetMouse::kShowCursor:
            glfwSetInputMode(g_window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
            if (positionGiven) {
                moveCursorQuietly(x, y);
            }
            break;
        case EVT::Event_SetMouse::kHideCursor:
            if (positionGiven) {
                moveCursorQuietly(x, y);
            }
            glfwSetInputMode(g_window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
            break;
        default:
            moveCursorQuietly(x, y);
            break;
    }
    glfwSetCursorPosCallback(g_window, cursorPosCallback);
}

}  // namespace Game
