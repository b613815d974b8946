#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace Sim {

// One scripted key: held from frame `from` to frame `to`, inclusive, frames counted from 1.
struct Hold {
    std::string name;
    unsigned char code;
    long from;  // press raised before the update of this frame
    long to;    // release raised before the update of frame to + 1
};

// What quorlith-sim is asked to do. Every frame number and count lies within
// 1 ... kMaxFrames and the frame time within 0 ... kMaxFrameMs, so no arithmetic on
// them can overflow.
struct Options {
    static constexpr long kDefaultFrames = 600;
    static constexpr float kDefaultFrameMs = 16.6667f;
    // Some 46 hours of play at 60 frames per second.
    static constexpr long kMaxFrames = 10000000;
    // One minute of game time per frame.
    static constexpr float kMaxFrameMs = 60000.0f;
    static constexpr long kStartFrame = 2;  // SPACE is held on this frame unless --no-start

    long frames = kDefaultFrames;
    float frameMs = kDefaultFrameMs;
    std::vector<Hold> holds;  // the start key first, then in option order
    bool start = true;
    bool grid = false;
    long every = 0;  // 0: no grids between frames
    bool help = false;
    std::string replay;  // --replay: the replay file to play; empty for none
    bool check = false;  // --check: compare the end of the replay with the recorded one
    // The program name and the start-up arguments (settings file, extra file, overrides),
    // in order; they point into the argument vector given to parseOptions.
    std::vector<const char*> gameArgs;
};

// An option that cannot be used; the message says which and why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the options of quorlith-sim; arguments that are not options are kept for the
// start-up. Throws UsageError for an unknown option, a missing or malformed value, a
// number outside its limits or a key name the key-name table does not hold.
Options parseOptions(int argc, const char* const* argv);

// The text of --help and of every usage error.
const char* usageText();

}  // namespace Sim
