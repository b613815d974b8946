#include "game/ReplaySession.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "CFG/Global.h"

namespace Tool {

namespace {

const char* const kRecordKey = "REPLAY_RECORD";
const char* const kPlayKey = "REPLAY_PLAY";
const char* const kSeedKey = "GAME_SEED";

std::unique_ptr<ReplaySession>& sessionSlot() {
    static std::unique_ptr<ReplaySession> s_session;
    return s_session;
}

bool isPlayKey(const std::string& key) {
    const auto& keys = ReplaySession::playKeys();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

}  // namespace

ReplaySession& ReplaySession::instance() {
    std::unique_ptr<ReplaySession>& slot = sessionSlot();
    if (!slot) {
        slot = std::make_unique<ReplaySession>();
    }
    return *slot;
}

void ReplaySession::reset() {
    sessionSlot().reset();
}

const std::vector<std::string>& ReplaySession::playKeys() {
    static const std::vector<std::string> s_keys = {
        "GRID_WIDTH",
        "GRID_HEIGHT",
        "PLAYER_HGT_CHANGE",
        "PLAYER_ROT_CHANGE",
        "PLAYER_MAX_HEIGHT",
        "PLAYER_BASE_HEIGHT",
        "PLAYER_POLY_RADIUS",
        "PLAYER_POLY_NUM_SIDES",
        "PLAYER_POLY_RADIUS_STEP",
        "LEVEL_SECS",
        "CENTER_POLY_ROTATION",
        "CENTER_POLY_RADIUS",
        "CENTER_POLY_NUM_SIDES",
        "CENTER_POLY_RADIUS_STEP",
        "KEY_MOVE_UP",
        "KEY_MOVE_DOWN",
        "KEY_MOVE_LEFT",
        "KEY_MOVE_RIGHT",
        "BASE_NUM_POLYGONS",
        "SHRINK_SPEED",
        "LEVEL_INC_SHRINK",
        "SHRINK_SPEED_MAX",
        "RADIUS_GAP",
        "RADIUS_GAP_MIN",
        "LEVEL_REDUCE_RADIUS",
        "ROTATION_RANGE",
        "ROTATION_CHANGE_RANGE",
        "SIDES_LIST",
    };
    return s_keys;
}

std::string ReplaySession::fileNameOf(const std::string& pattern, int run) {
    std::string name;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == 'd') {
            name += std::to_string(run);
            ++i;
        } else if (pattern[i] == '%' && next == '%') {
            name += '%';
            ++i;
        } else {
            name += pattern[i];
        }
    }
    return name;
}

void ReplaySession::prepare() {
    if (prepared) {
        return;
    }
    prepared = true;
    recordPattern = CFG::get(kRecordKey);
    const std::string playPath = CFG::get(kPlayKey);
    if (!playPath.empty()) {
        startPlayback(playPath);
    }
}

// The recorded settings win inside the replay: they go into the overrides, which come
// before every file. Keys the running state does not read are not taken from a file.
void ReplaySession::startPlayback(const std::string& path) {
    played = std::make_unique<Replay>(readReplayFile(path));
    CFG::Info* overrides = CFG::getDefaultOverrides();
    std::vector<std::string> differing;
    std::vector<std::string> ignored;
    for (const auto& [key, value] : played->settings) {
        if (!isPlayKey(key)) {
            ignored.push_back(key);
            continue;
        }
        if (CFG::get(key) != value) {
            differing.push_back(key);
            overrides->add(key, value);
        }
    }
    const std::string seed = std::to_string(played->seed);
    const std::string currentSeed = CFG::get(kSeedKey);
    if (currentSeed != seed) {
        // A GAME_SEED of 0 draws a new seed every time: nothing to differ from.
        if (CFG::parser()->getNumber<unsigned int>(kSeedKey) != 0) {
            differing.push_back(kSeedKey);
        }
        overrides->add(kSeedKey, seed);
    }
    if (!differing.empty()) {
        std::cerr << "The replay " << path << " was recorded with other values of "
                  << joined(differing) << "; it plays with the recorded ones\n";
    }
    if (!ignored.empty()) {
        std::cerr << "The replay " << path << " holds keys the game does not take from a replay, "
                  << "which are ignored: " << joined(ignored) << "\n";
    }
    startRequested = true;
    playbackPending = true;
}

bool ReplaySession::takeStartRequest() {
    const bool requested = startRequested;
    startRequested = false;
    return requested;
}

Replay ReplaySession::currentSettings() const {
    Replay replay;
    replay.gameVersion = QUORLITH_VERSION;
    replay.seed = seed_;
    for (const std::string& key : playKeys()) {
        replay.settings.emplace_back(key, CFG::get(key));
    }
    return replay;
}

std::optional<std::uint32_t> ReplaySession::runStarted(std::uint32_t generatorState) {
    playing_ = playbackPending;
    playbackPending = false;
    nextPlayed = 0;
    if (playing_) {
        generatorState = played->runState;
    }
    if (!recordPattern.empty()) {
        recording = std::make_unique<Replay>(currentSettings());
        recording->runState = generatorState;
    }
    if (!playing_) {
        return std::nullopt;
    }
    return generatorState;
}

bool ReplaySession::nextFrame(Replay::Frame& frame) {
    if (!playing_ || nextPlayed >= played->frames.size()) {
        return false;
    }
    frame = played->frames[nextPlayed++];
    return true;
}

void ReplaySession::frameDone(float dt, std::uint8_t keys) {
    if (!recording) {
        return;
    }
    if (recording->frames.size() >= Replay::kMaxFrames) {
        std::cerr << "The run is longer than the " << Replay::kMaxFrames
                  << " frames a replay can hold; it is not recorded\n";
        recording.reset();
        return;
    }
    recording->frames.push_back(Replay::Frame{dt, keys});
}

void ReplaySession::runEnded(float elapsed, int level, bool collided) {
    if (playing_) {
        playing_ = false;
        outcome.ended = true;
        outcome.collided = collided;
        outcome.frames = static_cast<std::uint32_t>(nextPlayed);
        outcome.elapsed = elapsed;
        outcome.level = level;
    }
    if (!recording) {
        return;
    }
    recording->endElapsed = elapsed;
    recording->endLevel = level;
    const std::string path = fileNameOf(recordPattern, ++runsRecorded);
    std::string error;
    if (!writeReplayFile(path, *recording, error)) {
        std::cerr << "The replay of run " << runsRecorded << " is not saved: " << error << "\n";
    }
    recording.reset();
}

}  // namespace Tool
