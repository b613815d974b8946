#include "game/TitleLogic.h"

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "EVT/EventBus.h"
#include "EVT/I_Event.h"
#include "game/ReplaySession.h"

namespace Tool {

namespace {

// Event types the state listens to; nothing in the game raises them.
constexpr int kListenedTypes[] = {2, 22};

bool keyHeld(unsigned char code) {
    const Devices::Keyboard* keyboard = Devices::getKeyboard();
    return keyboard != nullptr && keyboard->isKeyDown(code);
}

}  // namespace

TitleLogic::TitleLogic(Game::GameManager* gameManager) : manager(gameManager) {
    for (int type : kListenedTypes) {
        Util::Singleton<EVT::EventBus>::instance().addConsumer(type, this);
    }
}

void TitleLogic::setPause(bool /*paused*/) {}

void TitleLogic::onEnter(const std::string& /*previousState*/, const std::string& /*transition*/) {
    transition.clear();
}

std::string TitleLogic::onUpdate(float /*dt*/) {
    if (keyHeld(kQuitKey)) {
        Util::Singleton<EVT::EventBus>::instance().raiseEvent(EVT::ET_QUIT, false);
    } else if (ReplaySession::instance().takeStartRequest() || keyHeld(kStartKey)) {
        transition = "START";
    }
    return transition;
}

void TitleLogic::doExit(const std::string& /*next*/) {}

void TitleLogic::handleEvent(EVT::I_Event* /*event*/) {}

}  // namespace Tool
