#include "Devices/KeyboardStrings.h"

#include <iterator>

#include "Devices/KeyCodes.h"

namespace Devices {

namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;
constexpr int kKeypadDigits = 10;

bool isPrintable(int code) {
    return code >= kFirstPrintable && code <= kLastPrintable;
}

}  // namespace

KeyboardStrings::KeyboardStrings()
    : modifierNames(Keyboard::MOD_INVALID, "INVALID"), keyNames(0, "") {
    addModifierNames();
    addCharacterAndHexNames();
    addWordNames();
}

std::string KeyboardStrings::hexName(unsigned char code) {
    static const char kDigits[] = "0123456789abcdef";
    std::string digits;
    unsigned value = code;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return "0x" + digits;
}

void KeyboardStrings::addModifierNames() {
    static const char* const kNames[] = {"NONE", "SHIFT",      "ALT",      "ALT+SHIFT",
                                         "CTRL", "CTRL+SHIFT", "CTRL+ALT", "CTRL+ALT+SHIFT"};
    // The names are listed by the value of their bits, 0 to 7.
    for (std::size_t bits = 0; bits < std::size(kNames); ++bits) {
        modifierNames.add(static_cast<Keyboard::Modifiers>(bits), kNames[bits]);
    }
}

// Every code first gets its character as name when printable, else its hexadecimal
// name; word names added later replace the code's name but not these further names.
void KeyboardStrings::addCharacterAndHexNames() {
    for (int code = 0; code < Keyboard::kKeyCount; ++code) {
        const auto key = static_cast<unsigned char>(code);
        keyNames.add(key,
                     isPrintable(code) ? std::string(1, static_cast<char>(code)) : hexName(key));
    }
}

// In this order: code 13 is named "PAGE UP" first and "RETURN" last, so its name is
// "RETURN" while "PAGE UP" still gives 13.
void KeyboardStrings::addWordNames() {
    keyNames.add(KEY_DQUOTE, "DQUOTE");
    keyNames.add(KEY_COMMA, "COMMA");
    keyNames.add(KEY_SPACE, "SPACE");
    keyNames.add(KEY_SHIFT, "SHIFT");
    keyNames.add(KEY_ALT, "ALT");
    keyNames.add(KEY_LEFT, "LEFT");
    keyNames.add(KEY_RIGHT, "RIGHT");
    keyNames.add(KEY_UP, "UP");
    keyNames.add(KEY_DOWN, "DOWN");
    keyNames.add(KEY_HOME, "HOME");
    keyNames.add(KEY_END, "END");
    keyNames.add(KEY_INSERT, "INSERT");
    keyNames.add(KEY_BACKSPACE, "BACKSPACE");
    keyNames.add(KEY_DELETE, "DELETE");
    keyNames.add(KEY_PAGE_UP, "PAGE UP");
    keyNames.add(KEY_PAGE_DOWN, "PAGE DN");
    keyNames.add(KEY_ESC, "ESC");
    keyNames.add(KEY_RETURN, "RETURN");
    for (int digit = 0; digit < kKeypadDigits; ++digit) {
        keyNames.add(static_cast<unsigned char>(KEY_KP_0 + digit), "KP" + std::to_string(digit));
    }
    keyNames.add(KEY_KP_DIVIDE, "KP/");
    keyNames.add(KEY_KP_MULTIPLY, "KP*");
    keyNames.add(KEY_KP_SUBTRACT, "KP-");
    keyNames.add(KEY_KP_ADD, "KP+");
    keyNames.add(KEY_KP_DECIMAL, "KP.");
    keyNames.add(KEY_KP_EQUAL, "KP=");
    keyNames.add(KEY_KP_ENTER, "KP RET");
}

}  // namespace Devices
