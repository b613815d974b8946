#include "Game/GLFWApp.h"

// The OpenGL calls are the back end's: GLFW brings no GL header of its own.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
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
constexpr int kKeyCodes = 256;
}  // namespace

// Everything the window application keeps between calls. The application owns it; the
// window system's callbacks are C functions and reach it through l_state.
struct GLFWAppState {
    // A pointer position set on request whose motion report may still come: the window
    // system delivers it while polling, after the motion callback is attached again.
    struct RequestedMove {
        int x;
        int y;
        int pollsLeft;  // polls after which no report is expected any more
    };

    GLFWwindow* window = nullptr;           // destroyed by glfwTerminate
    bool quitRequested = false;             // set by a quit event; never cleared
    bool resetTimeRequested = false;        // consumed by the next frame
    bool mouseActive = true;                // mouse events only while the window is active
    bool wasActive = false;                 // the window's active state at the previous frame
    int keypressModifiers[kKeyCodes] = {};  // modifier bits at each code's last press
    int modifierState = 0;                  // modifier bits reported with the latest key event
    int previousWheelPosition = 0;          // wheel position of the previous wheel event
    double wheelPosition = 0.0;             // sum of all scroll offsets: the wheel's position
    std::vector<int> joysticks;             // joysticks found by the one scan
    bool lookedForJoysticks = false;
    double lastFrameTime = 0.0;  // time of the previous frame, seconds
    std::string lastGlfwError;   // the latest GLFW error, for the fatal report
    std::vector<RequestedMove> requestedMoves;

    ~GLFWAppState();
};

namespace {

// The state of the process's one window application; null while there is none.
GLFWAppState* l_state = nullptr;

}  // namespace

// Also when a fatal-report hook unwinds a constructor that could not open the window.
GLFWAppState::~GLFWAppState() {
    if (l_state == this) {
        l_state = nullptr;
    }
}

namespace {

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
    if (l_state) {
        l_state->lastGlfwError = description ? description : "";
    }
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

bool windowIsActive(const GLFWAppState& state) {
    return state.window && glfwGetWindowAttrib(state.window, GLFW_FOCUSED) == GLFW_TRUE;
}

#ifdef __EMSCRIPTEN__
// The browser has no desktop: a request of 0 by 0 takes the size of the page.
std::pair<int, int> desktopSize() {
    return {EM_ASM_INT({ return window.innerWidth; }, 0),
            EM_ASM_INT({ return window.innerHeight; }, 0)};
}
#else
std::pair<int, int> desktopSize() {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode) {
        return {0, 0};
    }
    return {mode->width, mode->height};
}
#endif

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
    if (l_state && l_state->window) {
        glfwGetCursorPos(l_state->window, &px, &py);
    }
    x = static_cast<int>(px);
    y = static_cast<int>(py);
}

// The change of the wheel position since the previous wheel event.
int getWheelDiff(GLFWAppState& state, int position) {
    const int diff = position - state.previousWheelPosition;
    state.previousWheelPosition = position;
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
    l_state->modifierState = engineModifiers(mods);
    KeyFunc(key, action);
}
void cursorPosCallback(GLFWwindow*, double x, double y) {
    const int pointerX = static_cast<int>(x);
    const int pointerY = static_cast<int>(y);
    auto& moves = l_state->requestedMoves;
    const auto requested =
        std::find_if(moves.begin(), moves.end(), [&](const GLFWAppState::RequestedMove& move) {
            return move.x == pointerX && move.y == pointerY;
        });
    if (requested != moves.end()) {
        // The report of a move made on request: it raises no motion event.
        moves.erase(requested);
        return;
    }
    MouseMotionFunc(pointerX, pointerY);
}

// Moves the pointer without a motion event, now or when the move is reported later.
void moveCursorQuietly(GLFWAppState& state, int x, int y) {
    glfwSetCursorPos(state.window, x, y);
    state.requestedMoves.push_back({x, y, kPollsForMoveReport});
}
void mouseButtonCallback(GLFWwindow*, int button, int action, int) {
    MouseButtonFunc(button, action);
}
void scrollCallback(GLFWwindow*, double, double yOffset) {
    l_state->wheelPosition += yOffset;
    MouseWheelFunc(static_cast<int>(l_state->wheelPosition));
}

// The first call finds the joysticks present; later calls raise one event per
// joystick found then (joysticks plugged in later are not seen).
void checkJoysticks(GLFWAppState& state) {
    if (!state.lookedForJoysticks) {
        state.lookedForJoysticks = true;
        for (int index = 0; index < kMaxJoysticks; ++index) {
            if (glfwJoystickPresent(GLFW_JOYSTICK_1 + index) == GLFW_TRUE) {
                state.joysticks.push_back(index);
            }
        }
    }
    for (int index : state.joysticks) {
        int axisCount = 0;
        int buttonCount = 0;
        const float* axes = glfwGetJoystickAxes(GLFW_JOYSTICK_1 + index, &axisCount);
        const unsigned char* buttons =
            glfwGetJoystickButtons(GLFW_JOYSTICK_1 + index, &buttonCount);
        EVT::Event_Joypad event = makeJoypadEvent(index, axes, axisCount, buttons, buttonCount);
        bus().raiseEvent(&event, false);
    }
}

// The focus-change event, when the window's active state changed since the previous
// frame; the mouse callbacks follow the active state.
void raiseFocusChange(GLFWAppState& state) {
    const bool nowActive = windowIsActive(state);
    if (nowActive != state.wasActive) {
        state.mouseActive = nowActive;
        EVT::Event_EnterLeave event(nowActive);
        bus().raiseEvent(&event, false);
    }
    state.wasActive = nowActive;
}

// One frame: the elapsed game time, the pre-update and update events, then the
// render event inside a pushed matrix.
void DrawFunc(GLFWAppState& state, float gameSpeed) {
    const double now = glfwGetTime();
    if (state.resetTimeRequested) {
        state.lastFrameTime = now;
        state.resetTimeRequested = false;
    }
    const float elapsed =
        static_cast<float>((now - state.lastFrameTime) * kMillisecondsPerSecond * gameSpeed);

    EVT::Event_PreUpdate preUpdate(elapsed);
    bus().raiseEvent(&preUpdate, false);
    EVT::Event_Update update(elapsed);
    bus().raiseEvent(&update, false);
    state.lastFrameTime = now;

    Render::OGL::pushFrameMatrix();
    bus().raiseEvent(EVT::ET_RENDER, false);
    Render::OGL::popFrameMatrix();
}

// Key and mouse input ends with the frame loop.
void detachInputCallbacks(GLFWwindow* window) {
    glfwSetKeyCallback(window, nullptr);
    glfwSetCursorPosCallback(window, nullptr);
    glfwSetMouseButtonCallback(window, nullptr);
}

// Mouse callbacks raise events only while the window is active.
bool mouseActive() {
    return l_state && l_state->mouseActive;
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
    if (code == 0 || !l_state) {
        return;
    }
    const bool pressed = action == GLFW_PRESS;
    if (pressed) {
        l_state->keypressModifiers[code] = l_state->modifierState;
    }
    EVT::Event_Key event(code, pressed, l_state->keypressModifiers[code]);
    bus().raiseEvent(&event, false);
}

void MouseButtonFunc(int button, int action) {
    if (!mouseActive()) {
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
    if (!mouseActive()) {
        return;
    }
    EVT::Event_Mouse event(x, y, 0, 0, false);
    bus().raiseEvent(&event, false);
}

void MouseWheelFunc(int) {
    if (!mouseActive()) {
        return;
    }
    int x = 0;
    int y = 0;
    pointerPosition(x, y);
    const int wheel = getWheelDiff(*l_state, static_cast<int>(l_state->wheelPosition));
    EVT::Event_Mouse event(x, y, wheel, 0, false);
    bus().raiseEvent(&event, false);
}

GLFWApp::GLFWApp(const char* title, int width, int height, bool fullscreen,
                 unsigned long clearColour, bool clearEnabled, float gameSpeed)
    : gameSpeed(gameSpeed), state(std::make_unique<GLFWAppState>()) {
    setClearColor(clearColour);
    setClearWindow(clearEnabled);
    l_state = state.get();

    glfwSetErrorCallback(rememberGlfwError);
    if (glfwInit() != GLFW_TRUE) {
        QUORLITH_FATAL("Cannot start the window system: " << state->lastGlfwError
                                                          << startFailureHint());
    }

    std::vector<std::pair<int, int>> allowed;
    getAllowedSizes(allowed);
#ifdef __EMSCRIPTEN__
    // The browser offers no video modes: any canvas size is one it can show.
    if (allowed.empty()) {
        allowed.push_back({width, height});
    }
#endif
    const std::pair<int, int> size =
        chooseWindowSize({width, height}, fullscreen, allowed, desktopSize());
    // A window cannot be opened with a side of 0.
    const int openWidth = std::max(size.first, 1);
    const int openHeight = std::max(size.second, 1);

    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DEPTH_BITS, kDepthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, kStencilBits);
    state->window = glfwCreateWindow(openWidth, openHeight, title,
                                     fullscreen ? glfwGetPrimaryMonitor() : nullptr, nullptr);
    if (!state->window) {
        QUORLITH_FATAL("Cannot open a " << openWidth << "x" << openHeight
                                        << " window with an OpenGL context: "
                                        << state->lastGlfwError << openFailureHint());
    }
    glfwMakeContextCurrent(state->window);
    // The render controller's vertical sync goes to this window's context.
    Render::OGL::installSwapInterval(glfwSwapInterval);
    glfwSetWindowCloseCallback(state->window, closeCallback);

    raiseScreen(size.first, size.second);
    glfwSetInputMode(state->window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    raiseScreen(size.first, size.second);
}

GLFWApp::~GLFWApp() {
    Render::OGL::installSwapInterval(nullptr);
    glfwTerminate();  // destroys the window; the state goes with this object
}

bool GLFWApp::initWindowApp() {
    GLFWwindow* window = state->window;
    glfwSetWindowSizeCallback(window, sizeCallback);
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetKeyCallback(window, keyCallback);
    glfwSetCursorPosCallback(window, cursorPosCallback);
    glfwSetMouseButtonCallback(window, mouseButtonCallback);
    glfwSetScrollCallback(window, scrollCallback);
    state->mouseActive = true;
    // Where a host drives frame() itself, focus changes count from here.
    state->wasActive = windowIsActive(*state);
    bus().addConsumer(EVT::ET_QUIT, this);
    bus().addConsumer(EVT::ET_SET_MOUSE, this);
    return true;
}

#ifdef __EMSCRIPTEN__

namespace {

// The browser calls this once per animation frame. After the quit event the loop stops
// and the program ends; the page keeps showing the last frame.
void browserFrame(void* app) {
    if (!static_cast<GLFWApp*>(app)->frame()) {
        emscripten_cancel_main_loop();
        emscripten_force_exit(0);
    }
}

}  // namespace

// A blocking loop would freeze the page: the browser's animation frames call frame()
// instead. The call does not return to the caller (it unwinds it without destroying its
// objects), so everything the caller built stays alive for the frames to come.
void GLFWApp::run() {
    state->wasActive = windowIsActive(*state);
    constexpr int kBrowserFrameRate = 0;  // the browser's own rate (requestAnimationFrame)
    constexpr int kDoNotReturn = 1;
    emscripten_set_main_loop_arg(browserFrame, this, kBrowserFrameRate, kDoNotReturn);
}

#else

void GLFWApp::run() {
    state->wasActive = windowIsActive(*state);
    while (frame()) {
    }
}

#endif

bool GLFWApp::frame() {
    if (!state->quitRequested) {
        raiseFocusChange(*state);
        checkJoysticks(*state);
        DrawFunc(*state, gameSpeed);
    }
    if (state->quitRequested) {
        // The frame in which the quit arrived was the last one: no more input.
        detachInputCallbacks(state->window);
        return false;
    }
    return true;
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
    glfwSetWindowSize(state->window, std::max(size.first, 1), std::max(size.second, 1));
    raiseScreen(size.first, size.second);
}

double GLFWApp::getTime() const {
    return glfwGetTime();
}

void GLFWApp::resetTime() {
    state->resetTimeRequested = true;
}

void GLFWApp::showWindow() {
    glfwSwapBuffers(state->window);
    glfwPollEvents();
    auto& moves = state->requestedMoves;
    for (GLFWAppState::RequestedMove& move : moves) {
        --move.pollsLeft;
    }
    moves.erase(
        std::remove_if(moves.begin(), moves.end(),
                       [](const GLFWAppState::RequestedMove& move) { return move.pollsLeft <= 0; }),
        moves.end());
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
        state->quitRequested = true;
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
    GLFWwindow* window = state->window;
    glfwSetCursorPosCallback(window, nullptr);
    switch (request->getCursorAction()) {
        case EVT::Event_SetMouse::kShowCursor:
            glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
            if (positionGiven) {
                moveCursorQuietly(*state, x, y);
            }
            break;
        case EVT::Event_SetMouse::kHideCursor:
            if (positionGiven) {
                moveCursorQuietly(*state, x, y);
            }
            glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
            break;
        default:
            moveCursorQuietly(*state, x, y);
            break;
    }
    glfwSetCursorPosCallback(window, cursorPosCallback);
}

}  // namespace Game
