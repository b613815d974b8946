#pragma once

#include <string>

namespace Sound {

// Plays sounds by number. Sources are numbered channels, sounds numbered samples loaded
// from files. The game has no sound; the interface is kept so a real controller can
// take the null one's place without touching the game manager.
class I_SoundController {
public:
    virtual ~I_SoundController() = default;

    // Prepares the audio device; false when there is none.
    virtual bool init() = 0;
    // Creates source number `source`; `looping` makes it repeat its sound.
    virtual bool addSource(int source, bool looping) = 0;
    // Loads the sound file `fileName` as sound number `sound`.
    virtual bool load(int sound, const std::string& fileName) = 0;
    // Plays sound `sound` on source `source` at `volume` (0-100) and `pan` (-100 left, 100 right).
    virtual void play(int source, int sound, int volume, int pan) = 0;
    virtual void pause(int source) = 0;
    virtual void resume(int source) = 0;
    virtual void stop(int source) = 0;
    virtual bool isPlaying(int source) = 0;
    // Volume of a source, 0-100.
    virtual void setVolume(int source, int volume) = 0;
    // Releases every source and sound and the device.
    virtual void shutdown() = 0;
};

}  // namespace Sound
