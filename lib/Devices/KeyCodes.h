#pragma once

namespace Devices {

// The engine's own 8-bit key codes. Printable characters are their character codes,
// letters in lower case only ('a' is 97; 65 to 90 are never raised). The special keys:
enum KeyCode : unsigned char {
    KEY_SHIFT = 1,  // pseudo keys following the modifier bits, never raised as keys
    KEY_ALT = 2,
    KEY_CTRL = 3,
    KEY_LEFT = 4,
    KEY_RIGHT = 5,
    KEY_UP = 6,
    KEY_DOWN = 7,
    KEY_HOME = 8,
    KEY_END = 9,
    KEY_INSERT = 10,
    KEY_BACKSPACE = 11,
    KEY_DELETE = 12,
    KEY_RETURN = 13,  // Enter and Page Up share this code
    KEY_PAGE_UP = 13,
    KEY_PAGE_DOWN = 14,
    KEY_ESC = 27,
    KEY_SPACE = 32,
    KEY_DQUOTE = 34,
    KEY_COMMA = 44,
    KEY_KP_0 = 128,  // keypad digits 0 to 9 are 128 to 137
    KEY_KP_9 = 137,
    KEY_KP_DIVIDE = 138,
    KEY_KP_MULTIPLY = 139,
    KEY_KP_SUBTRACT = 140,
    KEY_KP_ADD = 141,
    KEY_KP_DECIMAL = 142,
    KEY_KP_EQUAL = 143,
    KEY_KP_ENTER = 144
};

}  // namespace Devices
