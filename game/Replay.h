#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Tool {

// One recorded run of the play state: everything it reads (its configuration with the
// seed actually used, and per frame the frame time and the four held movement keys) and
// how the run ended, so that playing the frames again through the same code can be
// checked bit for bit.
struct Replay {
    // Bits of Frame::keys, one per movement key.
    static constexpr std::uint8_t kUp = 1;
    static constexpr std::uint8_t kDown = 2;
    static constexpr std::uint8_t kLeft = 4;
    static constexpr std::uint8_t kRight = 8;
    static constexpr std::uint8_t kAllKeys = kUp | kDown | kLeft | kRight;

    static constexpr std::uint16_t kFormatVersion = 1;
    // Limits every count of a file is checked against before anything is allocated:
    // some 16 hours of play at 60 frames per second, far more keys than the play state
    // reads, and longer texts than any key or value of its configuration.
    static constexpr std::uint32_t kMaxFrames = 3600000;
    static constexpr std::uint32_t kMaxSettings = 64;
    static constexpr std::uint32_t kMaxKeyLength = 64;
    static constexpr std::uint32_t kMaxValueLength = 4096;
    static constexpr std::uint32_t kMaxVersionLength = 64;

    struct Frame {
        float dt;           // ms, exactly as the play state received it
        std::uint8_t keys;  // kUp | kDown | kLeft | kRight held in this frame
    };

    std::string gameVersion;
    std::uint32_t seed = 0;  // the program's seed: GAME_SEED, or the one drawn for 0
    // The ring generator's state when the run began: runs after the first of a program
    // begin where the previous run left the generator.
    std::uint32_t runState = 0;
    std::vector<std::pair<std::string, std::string>> settings;  // key, resolved value
    std::vector<Frame> frames;  // the frames of the run; the last is the collision's
    float endElapsed = 0.0f;    // the play state's clock after the last frame, ms
    std::int32_t endLevel = 0;
};

// The file form: "QRPL", the format version, the game version, the seed, the generator
// state, the settings,
// the end, then the frame times as zig-zag deltas of their bit patterns (a run of
// unchanged times as one 0 and its length) and the keys as runs of one key state, all
// numbers as little-endian base-128 varints.
std::string encodeReplay(const Replay& replay);

// The replay in bytes, or std::nullopt with a reason in `error` ("truncated", "not a
// replay file", ...). Never reads past the end and allocates nothing beyond the limits.
std::optional<Replay> decodeReplay(const std::string& bytes, std::string& error);

// Reads a replay file; a file that cannot be read or decoded ends the game with a report
// naming it.
Replay readReplayFile(const std::string& path);

// Writes a replay file atomically: into "<path>.tmp", renamed over path. false with a
// reason in `error` when it cannot; the file at path is then left as it was.
bool writeReplayFile(const std::string& path, const Replay& replay, std::string& error);

}  // namespace Tool
