#include "Devices/Devices.h"

namespace Devices {

namespace {
Keyboard* s_pKeyboard = nullptr;  // not owned
Screen* s_pScreen = nullptr;      // not owned
Mouse* s_pMouse = nullptr;        // not owned
Joypad* s_pJoypad = nullptr;      // not owned
}  // namespace

void setKeyboard(Keyboard* keyboard) {
    s_pKeyboard = keyboard;
}
Keyboard* getKeyboard() {
    return s_pKeyboard;
}
void setScreen(Screen* screen) {
    s_pScreen = screen;
}
Screen* getScreen() {
    return s_pScreen;
}
void setMouse(Mouse* mouse) {
    s_pMouse = mouse;
}
Mouse* getMouse() {
    return s_pMouse;
}
void setJoypad(Joypad* joypad) {
    s_pJoypad = joypad;
}
Joypad* getJoypad() {
    return s_pJoypad;
}

}  // namespace Devices
