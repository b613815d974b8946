#pragma once

namespace Devices {

class Keyboard;
class Screen;
class Mouse;
class Joypad;

// The registry of the input devices: one pointer each, null until set, never owned.
// The game installs only the keyboard; the game states read it every frame.
void setKeyboard(Keyboard* keyboard);
Keyboard* getKeyboard();
void setScreen(Screen* screen);
Screen* getScreen();
void setMouse(Mouse* mouse);
Mouse* getMouse();
void setJoypad(Joypad* joypad);
Joypad* getJoypad();

}  // namespace Devices
