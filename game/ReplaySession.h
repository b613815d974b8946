#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/Replay.h"

namespace Tool {

// The replays of one process, shared by the running and the title state. With
// REPLAY_RECORD set, every run that ends in a collision is written to that file ("%d"
// in the name becomes the run's number, "%%" a single "%"). With REPLAY_PLAY set, the
// first run plays that replay: its recorded settings are put into the overrides before
// the running state reads them, the title starts the run at once, and the recorded frame
// times and keys drive the run instead of the clock and the keyboard. With neither key
// set it does nothing at all.
class ReplaySession {
public:
    // How the playback ended.
    struct Outcome {
        bool ended = false;     // the played run is over
        bool collided = false;  // it ended in a collision, not by running out of frames
        std::uint32_t frames = 0;
        float elapsed = 0.0f;
        int level = 0;
    };

    static ReplaySession& instance();
    // Forgets everything, as if the process had just started: for tools that play several
    // programs in one process.
    static void reset();

    // Reads REPLAY_RECORD and REPLAY_PLAY on the first call and does nothing on later ones.
    // A replay to play is read here (a bad file ends the game with a report naming it) and
    // its settings go into the overrides; when they differ from the configuration's, that
    // is said once on standard error.
    void prepare();

    // The seed the running state uses, GAME_SEED or the one drawn for a GAME_SEED of 0.
    void noteSeed(std::uint32_t seed) { seed_ = seed; }
    // A run begins with the ring generator in generatorState: recording starts afresh, and
    // a pending playback begins. The state the generator must take for the playback, or
    // std::nullopt when no playback begins.
    std::optional<std::uint32_t> runStarted(std::uint32_t generatorState);
    // Once after the replay to play was prepared: the title starts the run itself.
    bool takeStartRequest();
    // Whether recorded frames drive the current run.
    bool playing() const { return playing_; }
    // The next recorded frame of the playback; false when there is none left.
    bool nextFrame(Replay::Frame& frame);
    // One frame of the run as the running state used it.
    void frameDone(float dt, std::uint8_t keys);
    // The run is over: a recording is written (a failure is reported on standard error and
    // the game goes on), a playback ends.
    void runEnded(float elapsed, int level, bool collided);

    // The replay being or having been played; null when none.
    const Replay* playedReplay() const { return played.get(); }
    const Outcome& playbackOutcome() const { return outcome; }

    // The configuration keys the running state reads, which a replay keeps (the seed is
    // kept on its own).
    static const std::vector<std::string>& playKeys();
    // The file name of run number `run`: "%d" becomes the number, "%%" one "%", any other
    // "%" stays as it is.
    static std::string fileNameOf(const std::string& pattern, int run);

private:
    void startPlayback(const std::string& path);
    Replay currentSettings() const;

    bool prepared = false;
    std::string recordPattern;  // empty: no recording
    int runsRecorded = 0;
    std::uint32_t seed_ = 0;
    std::unique_ptr<Replay> recording;  // the frames of the current run while recording

    std::unique_ptr<Replay> played;
    bool startRequested = false;
    bool playbackPending = false;
    bool playing_ = false;
    std::size_t nextPlayed = 0;
    Outcome outcome;
};

}  // namespace Tool
