#pragma once

#include "Sound/I_SoundController.h"

namespace Sound {

// A sound controller that does nothing and reports success: the game's stand-in for a
// real audio device.
class NullSoundController : public I_SoundController {
public:
    ~NullSoundController() override;

    bool init() override;                                        // true
    bool addSource(int source, bool looping) override;           // true
    bool load(int sound, const std::string& fileName) override;  // true
    void play(int source, int sound, int volume, int pan) override;
    void pause(int source) override;
    void resume(int source) override;
    void stop(int source) override;
    bool isPlaying(int source) override;  // false
    void setVolume(int source, int volume) override;
    void shutdown() override;
};

}  // namespace Sound
