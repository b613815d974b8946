#include "Sound/NullSoundController.h"

namespace Sound {

NullSoundController::~NullSoundController() = default;

bool NullSoundController::init() {
    return true;
}

bool NullSoundController::addSource(int, bool) {
    return true;
}

bool NullSoundController::load(int, const std::string&) {
    return true;
}

void NullSoundController::play(int, int, int, int) {}

void NullSoundController::pause(int) {}

void NullSoundController::resume(int) {}

void NullSoundController::stop(int) {}

bool NullSoundController::isPlaying(int) {
    return false;
}

void NullSoundController::setVolume(int, int) {}

void NullSoundController::shutdown() {}

}  // namespace Sound
