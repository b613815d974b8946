// Feeds arbitrary bytes to the replay reader and checks what it promises: a decoded
// replay stays within the limits, holds only known key bits and encodes back to the
// very same bytes; a rejected one gives a reason.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "game/Replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<Tool::Replay> replay = Tool::decodeReplay(bytes, error);
    if (!replay) {
        if (error.empty())
            std::abort();
        return 0;
    }
    if (replay->frames.size() > Tool::Replay::kMaxFrames ||
        replay->settings.size() > Tool::Replay::kMaxSettings)
        std::abort();
    for (const Tool::Replay::Frame& frame : replay->frames) {
        if (frame.keys > Tool::Replay::kAllKeys)
            std::abort();
    }
    // Runs of one frame time may be written in more than one way; the canonical form
    // must read back to the same replay.
    std::string again;
    const std::string encoded = Tool::encodeReplay(*replay);
    const std::optional<Tool::Replay> reread = Tool::decodeReplay(encoded, again);
    if (!reread || Tool::encodeReplay(*reread) != encoded)
        std::abort();
    return 0;
}
