#pragma once

#include <string>

#include "Devices/Keyboard.h"
#include "Util/Singleton.h"
#include "Util/TwoWayMapping.h"

namespace Devices {

// The names by which configuration files name keys and modifier sets, built once on
// first use of Util::Singleton<Devices::KeyboardStrings>::instance(). Look-ups by name
// are exact and case-sensitive; an unknown key name gives code 0, which no key raises,
// and an unknown modifier name gives MOD_INVALID.
class KeyboardStrings : public Util::Singleton<KeyboardStrings> {
public:
    using KeyMapping = Util::TwoWayMapping<unsigned char, std::string>;
    using ModMapping = Util::TwoWayMapping<Keyboard::Modifiers, std::string>;

    // Code to name (lookup) and name to code (reverseLookup). Every code has a name:
    // its last word name, its character (33 to 126) or "0x" with its hexadecimal
    // digits; every name ever given still leads to its code ("PAGE UP", "0xd" and
    // "RETURN" all give 13, whose name is "RETURN").
    const KeyMapping& keyMapping() const { return keyNames; }
    // "NONE", "SHIFT", "ALT", "ALT+SHIFT", "CTRL", "CTRL+SHIFT", "CTRL+ALT",
    // "CTRL+ALT+SHIFT" for the sums of the modifier bits.
    const ModMapping& modMapping() const { return modifierNames; }

    // "0x" followed by the code in lower-case hexadecimal without leading zeros.
    static std::string hexName(unsigned char code);

private:
    friend class Util::Singleton<KeyboardStrings>;
    KeyboardStrings();

    void addModifierNames();
    void addCharacterAndHexNames();
    void addWordNames();

    ModMapping modifierNames;
    KeyMapping keyNames;
};

}  // namespace Devices
