#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Devices/Devices.h"
#include "Devices/KeyCodes.h"
#include "Devices/Keyboard.h"
#include "Devices/KeyboardStrings.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"

namespace {

const Devices::KeyboardStrings& names() {
    return Util::Singleton<Devices::KeyboardStrings>::instance();
}

unsigned char codeOf(const std::string& name) {
    return names().keyMapping().reverseLookup(name);
}
std::string nameOf(unsigned char code) {
    return names().keyMapping().lookup(code);
}

void raiseKey(unsigned char key, bool pressed, int modifiers) {
    EVT::Event_Key event(key, pressed, modifiers);
    Util::Singleton<EVT::EventBus>::instance().raiseEvent(&event, false);
}

// Records the type numbers of the events raised on the bus for the given types.
class TypeRecorder : public EVT::I_EventConsumer {
public:
    explicit TypeRecorder(std::vector<int> types) {
        for (int type : types) {
            Util::Singleton<EVT::EventBus>::instance().addConsumer(type, this);
        }
    }
    void handleEvent(EVT::I_Event* event) override { seen.push_back(event->type); }
    std::vector<int> seen;
};

}  // namespace

TEST(KeyNames, NamesGiveCodesExactlyAndCaseSensitively) {
    EXPECT_EQ(codeOf("UP"), 6);
    EXPECT_EQ(codeOf("up"), 0);
    EXPECT_EQ(codeOf("A"), 65);
    EXPECT_EQ(codeOf("a"), 97);
    EXPECT_EQ(codeOf(" "), 32);
    EXPECT_EQ(codeOf("SPACE"), 32);
    EXPECT_EQ(codeOf("\""), 34);
    EXPECT_EQ(codeOf("DQUOTE"), 34);
    EXPECT_EQ(codeOf(","), 44);
    EXPECT_EQ(codeOf("COMMA"), 44);
    EXPECT_EQ(codeOf("ESC"), 27);
    EXPECT_EQ(codeOf("0x1b"), 27);
    EXPECT_EQ(codeOf("KP0"), 128);
    EXPECT_EQ(codeOf("KP9"), 137);
    EXPECT_EQ(codeOf("KP RET"), 144);
    EXPECT_EQ(codeOf("0x3"), 3);  // ctrl has no word name
    EXPECT_EQ(codeOf("NO SUCH KEY"), 0);
    EXPECT_EQ(codeOf(""), 0);
}

TEST(KeyNames, ReturnAndPageUpShareCodeThirteenNamedReturn) {
    EXPECT_EQ(codeOf("PAGE UP"), 13);
    EXPECT_EQ(codeOf("RETURN"), 13);
    EXPECT_EQ(codeOf("0xd"), 13);
    EXPECT_EQ(nameOf(13), "RETURN");
}

TEST(KeyNames, EveryCodeHasItsLastWordNameItsCharacterOrItsHexName) {
    EXPECT_EQ(nameOf(32), "SPACE");
    EXPECT_EQ(nameOf(33), "!");
    EXPECT_EQ(nameOf(34), "DQUOTE");
    EXPECT_EQ(nameOf(126), "~");
    EXPECT_EQ(nameOf(0), "0x0");
    EXPECT_EQ(nameOf(3), "0x3");
    EXPECT_EQ(nameOf(31), "0x1f");
    EXPECT_EQ(nameOf(127), "0x7f");
    EXPECT_EQ(nameOf(145), "0x91");
    EXPECT_EQ(nameOf(255), "0xff");
    EXPECT_EQ(nameOf(1), "SHIFT");
    EXPECT_EQ(nameOf(14), "PAGE DN");
    EXPECT_EQ(nameOf(138), "KP/");
    // Every code's name leads back to the code, except those whose name was taken
    // over by a later code: none in this table.
    for (int code = 0; code < 256; ++code) {
        const auto key = static_cast<unsigned char>(code);
        EXPECT_EQ(codeOf(nameOf(key)), key) << code;
    }
}

TEST(KeyNames, ModifierNamesAreExact) {
    const auto& mods = names().modMapping();
    EXPECT_EQ(mods.lookup(static_cast<Devices::Keyboard::Modifiers>(6)), "CTRL+ALT");
    EXPECT_EQ(mods.lookup(Devices::Keyboard::MOD_NONE), "NONE");
    EXPECT_EQ(mods.reverseLookup("CTRL+ALT+SHIFT"), 7);
    EXPECT_EQ(mods.reverseLookup("ALT+CTRL"), 0xffff);
    EXPECT_EQ(mods.lookup(static_cast<Devices::Keyboard::Modifiers>(8)), "INVALID");
}

TEST(Keyboard, KeyEventsKeepTheHeldKeyTable) {
    Devices::Keyboard keyboard;
    raiseKey(97, true, 0);
    EXPECT_TRUE(keyboard.isKeyDown(97));
    EXPECT_FALSE(keyboard.isKeyDown(65));
    raiseKey(Devices::KEY_PAGE_UP, true, 0);
    EXPECT_TRUE(keyboard.isKeyDown(13));
    raiseKey(97, false, 0);
    EXPECT_FALSE(keyboard.isKeyDown(97));
    EXPECT_TRUE(keyboard.isKeyDown(13));
    keyboard.reset();
    EXPECT_FALSE(keyboard.isKeyDown(13));
}

TEST(Keyboard, ModifierBitsDriveThePseudoKeys) {
    Devices::Keyboard keyboard;
    raiseKey(120, true, Devices::Keyboard::MOD_ALT);
    EXPECT_TRUE(keyboard.isKeyDown(2));
    raiseKey(97, true, Devices::Keyboard::MOD_SHIFT | Devices::Keyboard::MOD_CTRL);
    EXPECT_TRUE(keyboard.isKeyDown(1));
    EXPECT_FALSE(keyboard.isKeyDown(2));
    EXPECT_TRUE(keyboard.isKeyDown(3));
    raiseKey(97, false, 0);
    EXPECT_FALSE(keyboard.isKeyDown(1));
    EXPECT_FALSE(keyboard.isKeyDown(3));
}

TEST(Keyboard, StoredEventsAreRaisedOnlyWhenAKeyChanges) {
    Devices::Keyboard keyboard;
    TypeRecorder recorder({60, 61, 62});
    keyboard.addKeyPressEvent(97, EVT::Event(99));
    keyboard.addKeyPressEvent(97, EVT::Event(60));  // replaces the first
    keyboard.addKeyReleaseEvent(97, EVT::Event(61));
    keyboard.addKeyPressEvent(Devices::KEY_SHIFT, EVT::Event(62));

    raiseKey(97, true, 0);
    raiseKey(97, true, 0);  // already down: no second press event
    raiseKey(97, false, Devices::Keyboard::MOD_SHIFT);
    raiseKey(97, false, Devices::Keyboard::MOD_SHIFT);
    EXPECT_EQ(recorder.seen, (std::vector<int>{60, 61, 62}));

    keyboard.reset();
    raiseKey(97, true, 0);
    EXPECT_EQ(recorder.seen.size(), 3u);
}

TEST(Keyboard, AHandlerMayReplaceTheEventBeingRaised) {
    Devices::Keyboard keyboard;
    struct Replacer : EVT::I_EventConsumer {
        explicit Replacer(Devices::Keyboard& kb) : keyboard(kb) {
            Util::Singleton<EVT::EventBus>::instance().addConsumer(60, this);
        }
        void handleEvent(EVT::I_Event* event) override {
            keyboard.reset();  // deletes the stored event
            seen.push_back(event->type);
        }
        Devices::Keyboard& keyboard;
        std::vector<int> seen;
    } replacer(keyboard);
    TypeRecorder after({60});  // reads the event after the replacer has run
    keyboard.addKeyPressEvent(97, EVT::Event(60));
    raiseKey(97, true, 0);
    EXPECT_EQ(replacer.seen, (std::vector<int>{60}));
    EXPECT_EQ(after.seen, (std::vector<int>{60}));
}

TEST(Keyboard, APlainEventWithTheKeyTypeIsIgnored) {
    Devices::Keyboard keyboard;
    Util::Singleton<EVT::EventBus>::instance().raiseEvent(EVT::ET_KEY, false);
    for (int code = 0; code < 256; ++code) {
        EXPECT_FALSE(keyboard.isKeyDown(static_cast<unsigned char>(code)));
    }
}

TEST(Keyboard, ADestroyedKeyboardNoLongerListens) {
    TypeRecorder keys({EVT::ET_KEY});
    {
        Devices::Keyboard keyboard;
        keyboard.addKeyPressEvent(97, EVT::Event(EVT::ET_KEY + 100));
    }
    raiseKey(97, true, 0);  // would crash or raise if the keyboard were still subscribed
    EXPECT_EQ(keys.seen, (std::vector<int>{EVT::ET_KEY}));
}

TEST(DeviceRegistry, HoldsTheInstalledKeyboard) {
    EXPECT_EQ(Devices::getKeyboard(), nullptr);
    Devices::Keyboard keyboard;
    Devices::setKeyboard(&keyboard);
    EXPECT_EQ(Devices::getKeyboard(), &keyboard);
    EXPECT_EQ(Devices::getMouse(), nullptr);
    Devices::setKeyboard(nullptr);
    EXPECT_EQ(Devices::getKeyboard(), nullptr);
}
