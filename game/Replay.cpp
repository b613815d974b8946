#include "game/Replay.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "Util/FatalReport.h"

namespace Tool {

namespace {

const char kMagic[] = {'Q', 'R', 'P', 'L'};
constexpr unsigned kVarintBits = 7;
constexpr unsigned kVarintMore = 0x80;
constexpr unsigned kMaxVarintBytes = 5;  // 32 bits

std::uint32_t floatBits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float bitsFloat(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Small differences of either sign become small unsigned numbers: 0, -1, 1, -2 ... ->
// 0, 1, 2, 3 ...; all arithmetic is modulo 2^32.
std::uint32_t zigzag(std::uint32_t delta) {
    return (delta << 1) ^ (0u - (delta >> 31));
}

std::uint32_t unzigzag(std::uint32_t value) {
    return (value >> 1) ^ (0u - (value & 1u));
}

class Writer {
public:
    void varint(std::uint32_t value) {
        while (value >= kVarintMore) {
            out.push_back(static_cast<char>((value & (kVarintMore - 1)) | kVarintMore));
            value >>= kVarintBits;
        }
        out.push_back(static_cast<char>(value));
    }
    void text(const std::string& value) {
        varint(static_cast<std::uint32_t>(value.size()));
        out += value;
    }
    void raw(const char* bytes, std::size_t size) { out.append(bytes, size); }
    std::string out;
};

// Reads from the bytes; the first fault is kept in `error` and every later read gives 0.
class Reader {
public:
    explicit Reader(const std::string& data) : bytes(data) {}

    bool failed() const { return !error.empty(); }
    bool atEnd() const { return position == bytes.size(); }
    void fail(const std::string& reason) {
        if (error.empty()) {
            error = reason;
        }
    }

    std::uint32_t varint() {
        std::uint32_t value = 0;
        for (unsigned i = 0; i < kMaxVarintBytes; ++i) {
            if (position >= bytes.size()) {
                fail("truncated");
                return 0;
            }
            const auto byte = static_cast<unsigned char>(bytes[position++]);
            value |= static_cast<std::uint32_t>(byte & (kVarintMore - 1)) << (kVarintBits * i);
            if ((byte & kVarintMore) == 0) {
                return value;
            }
        }
        fail("malformed number");
        return 0;
    }

    // A count within 0 ... most; what it counts is named in the reason.
    std::uint32_t count(std::uint32_t most, const char* what) {
        const std::uint32_t value = varint();
        if (!failed() && value > most) {
            fail(std::to_string(value) + " " + what + ", more than " + std::to_string(most));
            return 0;
        }
        return value;
    }

    std::string text(std::uint32_t most, const char* what) {
        const std::uint32_t size = count(most, what);
        if (failed()) {
            return {};
        }
        if (bytes.size() - position < size) {
            fail("truncated");
            return {};
        }
        std::string value = bytes.substr(position, size);
        position += size;
        return value;
    }

    bool magic() {
        if (bytes.size() < sizeof kMagic ||
            bytes.compare(0, sizeof kMagic, kMagic, sizeof kMagic)) {
            fail("not a replay file");
            return false;
        }
        position = sizeof kMagic;
        return true;
    }

    std::string error;

private:
    const std::string& bytes;
    std::size_t position = 0;
};

void encodeFrameTimes(Writer& out, const std::vector<Replay::Frame>& frames) {
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i < frames.size();) {
        const std::uint32_t bits = floatBits(frames[i].dt);
        if (bits != previous) {
            out.varint(zigzag(bits - previous));
            previous = bits;
            ++i;
            continue;
        }
        std::size_t run = 0;
        while (i + run < frames.size() && floatBits(frames[i + run].dt) == previous) {
            ++run;
        }
        out.varint(0);
        out.varint(static_cast<std::uint32_t>(run));
        i += run;
    }
}

void encodeKeys(Writer& out, const std::vector<Replay::Frame>& frames) {
    for (std::size_t i = 0; i < frames.size();) {
        std::size_t run = 1;
        while (i + run < frames.size() && frames[i + run].keys == frames[i].keys) {
            ++run;
        }
        out.varint(frames[i].keys);
        out.varint(static_cast<std::uint32_t>(run));
        i += run;
    }
}

void decodeFrameTimes(Reader& in, std::vector<Replay::Frame>& frames) {
    std::uint32_t previous = 0;
    for (std::size_t filled = 0; filled < frames.size() && !in.failed();) {
        const std::uint32_t token = in.varint();
        if (token != 0) {
            previous += unzigzag(token);
            frames[filled++].dt = bitsFloat(previous);
            continue;
        }
        const std::uint32_t run = in.varint();
        if (run == 0 || run > frames.size() - filled) {
            in.fail("frame times overrun the frame count");
            return;
        }
        for (std::uint32_t i = 0; i < run; ++i) {
            frames[filled++].dt = bitsFloat(previous);
        }
    }
}

void decodeKeys(Reader& in, std::vector<Replay::Frame>& frames) {
    for (std::size_t filled = 0; filled < frames.size() && !in.failed();) {
        const std::uint32_t keys = in.varint();
        const std::uint32_t run = in.varint();
        if (in.failed()) {
            return;
        }
        if (keys > Replay::kAllKeys) {
            in.fail("unknown key bits " + std::to_string(keys));
            return;
        }
        if (run == 0 || run > frames.size() - filled) {
            in.fail("key runs overrun the frame count");
            return;
        }
        for (std::uint32_t i = 0; i < run; ++i) {
            frames[filled++].keys = static_cast<std::uint8_t>(keys);
        }
    }
}

}  // namespace

std::string encodeReplay(const Replay& replay) {
    Writer out;
    out.raw(kMagic, sizeof kMagic);
    out.varint(Replay::kFormatVersion);
    out.text(replay.gameVersion);
    out.varint(replay.seed);
    out.varint(replay.runState);
    out.varint(static_cast<std::uint32_t>(replay.settings.size()));
    for (const auto& [key, value] : replay.settings) {
        out.text(key);
        out.text(value);
    }
    out.varint(static_cast<std::uint32_t>(replay.frames.size()));
    out.varint(floatBits(replay.endElapsed));
    out.varint(zigzag(static_cast<std::uint32_t>(replay.endLevel)));
    encodeFrameTimes(out, replay.frames);
    encodeKeys(out, replay.frames);
    return out.out;
}

std::optional<Replay> decodeReplay(const std::string& bytes, std::string& error) {
    Reader in(bytes);
    Replay replay;
    if (in.magic()) {
        const std::uint32_t version = in.varint();
        if (!in.failed() && version != Replay::kFormatVersion) {
            in.fail("format version " + std::to_string(version) + ", this game reads version " +
                    std::to_string(Replay::kFormatVersion));
        }
        replay.gameVersion = in.text(Replay::kMaxVersionLength, "bytes of game version");
        replay.seed = in.varint();
        replay.runState = in.varint();
        const std::uint32_t settings = in.count(Replay::kMaxSettings, "settings");
        for (std::uint32_t i = 0; i < settings && !in.failed(); ++i) {
            std::string key = in.text(Replay::kMaxKeyLength, "bytes of a key");
            std::string value = in.text(Replay::kMaxValueLength, "bytes of a value");
            replay.settings.emplace_back(std::move(key), std::move(value));
        }
        const std::uint32_t frames = in.count(Replay::kMaxFrames, "frames");
        replay.endElapsed = bitsFloat(in.varint());
        replay.endLevel = static_cast<std::int32_t>(unzigzag(in.varint()));
        if (!in.failed()) {
            replay.frames.assign(frames, Replay::Frame{0.0f, 0});
        }
        decodeFrameTimes(in, replay.frames);
        decodeKeys(in, replay.frames);
        if (!in.failed() && !in.atEnd()) {
            in.fail("unexpected bytes after the frames");
        }
    }
    if (in.failed()) {
        error = in.error;
        return std::nullopt;
    }
    return replay;
}

Replay readReplayFile(const std::string& path) {
    // A FIFO or device would block the start or never end; a folder holds no replay.
    std::error_code notRegular;
    if (std::filesystem::exists(path, notRegular) &&
        !std::filesystem::is_regular_file(path, notRegular)) {
        QUORLITH_FATAL("The replay file " << path << " is not a regular file");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        QUORLITH_FATAL("Cannot read the replay file " << path << ": " << std::strerror(errno));
    }
    // The largest valid file holds every frame in at most 6 bytes and every setting at
    // its longest; anything much larger is not read into memory.
    constexpr std::size_t kMaxFileSize = 64u << 20;
    std::string bytes;
    char chunk[4096];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
        if (bytes.size() > kMaxFileSize) {
            QUORLITH_FATAL("The replay file " << path << " is not a replay: larger than "
                                              << kMaxFileSize << " bytes");
        }
    }
    std::string error;
    std::optional<Replay> replay = decodeReplay(bytes, error);
    if (!replay) {
        QUORLITH_FATAL("The replay file " << path << " cannot be played: " << error);
    }
    return *replay;
}

bool writeReplayFile(const std::string& path, const Replay& replay, std::string& error) {
    const std::string temporary = path + ".tmp";
    const std::string bytes = encodeReplay(replay);
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file) {
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            file.flush();
        }
        if (!file) {
            error = "cannot write " + temporary + ": " + std::strerror(errno);
            file.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot rename " + temporary + " to " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace Tool
