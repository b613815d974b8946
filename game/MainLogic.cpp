#include "game/MainLogic.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "CFG/Global.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Devices/KeyboardStrings.h"
#include "EVT/EventBus.h"
#include "Game/GameManager.h"
#include "Game/I_View.h"
#include "Game/ViewManager.h"
#include "Util/FatalReport.h"
#include "Util/NumberConversion.h"
#include "Util/Range.h"
#include "game/RandSimple.h"
#include "game/ReplaySession.h"

namespace Tool {

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr float kDegreesToRadians = kPi / 180.0f;
constexpr float kFieldCenter = 0.5f;
constexpr float kFirstRingRadius = 1.0f;
constexpr float kFullTurn = 360.0f;
constexpr float kLargeAngle = 1048576.0f;
constexpr float kMsPerSecond = 1000.0f;
constexpr int kDefaultSides = 6;
// The player's vertex 0 points away from the field centre.
constexpr float kPlayerVertexOffset = 90.0f;

const char* const kDead = "DEAD";
constexpr unsigned char kStopPlaybackKey = 27;  // "ESC"
const char* const kExit = "EXIT";

// Values read once per program, on first use, and shared by every instance; later
// changes of the configuration do not reach them.
struct ProgramSettings {
    bool keysRead = false;
    unsigned char keyUp = 0;
    unsigned char keyDown = 0;
    unsigned char keyLeft = 0;
    unsigned char keyRight = 0;

    bool shrinkRead = false;
    float shrinkSpeed = 0.0f;
    float levelIncShrink = 0.0f;
    float shrinkSpeedMax = 0.0f;

    bool ringsRead = false;
    float radiusGapMin = 0.0f;
    float radiusGap = 0.0f;
    float levelReduceRadius = 0.0f;
    Util::Range<float> rotationRange;
    Util::Range<float> rotationChangeRange;
    std::vector<int> sidesList;
};

ProgramSettings& settings() {
    static ProgramSettings s_settings;
    return s_settings;
}

// A count the configuration gives that is larger than its limit ends the game with a
// report naming the key; what counts below the limit do is the game's own rule.
int checkedCount(const std::string& key, int value, int most, const char* what) {
    if (value > most) {
        QUORLITH_FATAL(key << " is " << value << ", more than the " << most << " " << what);
    }
    return value;
}

int readCount(const std::string& key, int most, const char* what) {
    return checkedCount(key, CFG::parser()->getNumber<int>(key), most, what);
}

const char* const kColumnsWhat = "columns a play field can have";
const char* const kRowsWhat = "rows a play field can have";
const char* const kSidesWhat = "sides a polygon can have";
const char* const kRingsWhat = "rings that can be in play";

int gridColumns() {
    return readCount("GRID_WIDTH", PlayField::kMaxGridSize, kColumnsWhat);
}

// The rows, checked after the columns, on their own and, with the columns as the field
// will have them, for the whole number of cells.
int gridRows() {
    const long columns = std::max(gridColumns(), PlayField::kMinGridSize);
    const int rows = readCount("GRID_HEIGHT", PlayField::kMaxGridSize, kRowsWhat);
    const long cells = columns * std::max(rows, PlayField::kMinGridSize);
    if (cells > PlayField::kMaxCellCount) {
        QUORLITH_FATAL("GRID_WIDTH x GRID_HEIGHT is "
                       << columns << " x " << rows << ", more than the " << PlayField::kMaxCellCount
                       << " cells a play field can have");
    }
    return rows;
}

// The side counts new rings choose from; the single value 6 when the list is empty.
std::vector<int> readSidesList() {
    std::vector<int> sides;
    CFG::parser()->getNumbers<int>("SIDES_LIST", sides, ",", false);
    const auto most = std::max_element(sides.begin(), sides.end());
    if (most != sides.end() && *most > MainLogic::kMaxSides) {
        QUORLITH_FATAL("SIDES_LIST holds " << *most << ", more than the " << MainLogic::kMaxSides
                                           << " " << kSidesWhat);
    }
    if (sides.empty()) {
        sides.push_back(kDefaultSides);
    }
    return sides;
}

unsigned char keyCodeOf(const std::string& configKey) {
    return Util::Singleton<Devices::KeyboardStrings>::instance().keyMapping().reverseLookup(
        CFG::get(configKey));
}

// A raw configuration value read as a float, as the radius steps are.
float rawFloat(const std::string& key) {
    return Util::strToNum<float>(CFG::get(key));
}

// Draws the concentric outlines of p from its radius inwards, the step read after the
// first outline; returns whether any outline reported a collision. A step of 0 or less,
// or one too small to change the radius, ends the nest after the outline just drawn. Any
// other step so small that the nest would have more than kMaxOutlines outlines is raised to
// radius / kMaxOutlines: outlines closer than that are less than a cell apart on the
// largest field and look the same, while a huge radius with a small step would
// otherwise draw billions of them.
template <class DrawFn>
bool drawNest(PlayField::Polygon p, const char* stepKey, DrawFn draw) {
    bool hit = false;
    const float outermost = p.radius;
    float step = 0.0f;
    for (int outline = 0; p.radius > 0.0f && outline < MainLogic::kMaxOutlines; ++outline) {
        if (draw(p)) {
            hit = true;
        }
        if (outline == 0) {
            step = rawFloat(stepKey);
            if (step > 0.0f && p.radius - step < p.radius) {
                step = std::max(step, outermost / static_cast<float>(MainLogic::kMaxOutlines));
            }
        }
        const float next = p.radius - step;
        if (!(step > 0.0f) || !(next < p.radius)) {
            break;
        }
        p.radius = next;
    }
    return hit;
}

}  // namespace

ReplayPreparation::ReplayPreparation() {
    ReplaySession::instance().prepare();
}

MainLogic::MainLogic(Game::GameManager* gameManager, ViewFactory factory)
    : PlayField(gridColumns(), gridRows()),
      manager(gameManager),
      viewFactory(factory),
      view(nullptr),
      paused(false),
      elapsed(0.0f),
      showInfo(false),
      playerHeight(0.0f),
      playerRotation(0.0f),
      heightChange(CFG::parser()->getNumber<float>("PLAYER_HGT_CHANGE")),
      rotationChange(CFG::parser()->getNumber<float>("PLAYER_ROT_CHANGE")),
      maxHeight(CFG::parser()->getNumber<float>("PLAYER_MAX_HEIGHT")),
      baseHeight(CFG::parser()->getNumber<float>("PLAYER_BASE_HEIGHT")),
      levelSecs(CFG::parser()->getNumber<int>("LEVEL_SECS")),
      heldKeys(0) {
    unsigned int seed = CFG::parser()->getNumber<unsigned int>("GAME_SEED");
    if (seed == 0) {
        seed = static_cast<unsigned int>(std::time(nullptr));
    }
    random = std::make_unique<RNG::RandSimple>(seed);
    ReplaySession::instance().noteSeed(seed);
}

void MainLogic::forgetProgramSettings() {
    settings() = ProgramSettings();
    ReplaySession::reset();
}

MainLogic::~MainLogic() {
    doExit("");
}

void MainLogic::setPause(bool isPaused) {
    paused = isPaused;
}

void MainLogic::onEnter(const std::string& /*previousState*/, const std::string& /*transition*/) {
    clearGrid();
    drawCenterPolygon();
    saveBackground();
    if (view != nullptr) {
        transition.clear();
        showInfo = false;
        if (const auto playedState = ReplaySession::instance().runStarted(random->getState())) {
            random->initialise(*playedState);
        }
    } else {
        view = viewFactory != nullptr ? viewFactory(manager, this) : nullptr;
        if (view != nullptr && manager != nullptr) {
            manager->getViewManager()->add(view);
        }
        transition = kExit;
        showInfo = true;
    }
    elapsed = 0.0f;
    playerHeight = 0.0f;
    playerRotation = 0.0f;
    polygons.clear();
}

void MainLogic::drawCenterPolygon() {
    const float rotation = CFG::parser()->getNumber<float>("CENTER_POLY_ROTATION");
    const float radius = CFG::parser()->getNumber<float>("CENTER_POLY_RADIUS");
    const int numSides = readCount("CENTER_POLY_NUM_SIDES", kMaxSides, kSidesWhat);
    const Polygon center{numSides, kFieldCenter, kFieldCenter, radius, rotation, -1, 0.0f};
    drawNest(center, "CENTER_POLY_RADIUS_STEP", [this](const Polygon& p) {
        drawPolygon(p);
        return false;
    });
}

std::string MainLogic::onUpdate(float dt) {
    ProgramSettings& s = settings();
    if (!s.keysRead) {
        s.keyUp = keyCodeOf("KEY_MOVE_UP");
        s.keyDown = keyCodeOf("KEY_MOVE_DOWN");
        s.keyLeft = keyCodeOf("KEY_MOVE_LEFT");
        s.keyRight = keyCodeOf("KEY_MOVE_RIGHT");
        s.keysRead = true;
    }

    const bool inRun = transition.empty();
    if (paused) {
        dt = 0.0f;
    }
    heldKeys = movementKeysHeld();
    if (inRun && ReplaySession::instance().playing() && !takeRecordedFrame(dt)) {
        endRun(false);
        return transition;
    }
    const float dtSec = dt / kMsPerSecond;
    if (inRun) {
        elapsed += dt;
    }

    restoreBackground();

    const int wanted = readCount("BASE_NUM_POLYGONS", kMaxRings, kRingsWhat);
    for (long missing = static_cast<long>(wanted) - static_cast<long>(polygons.size()); missing > 0;
         --missing) {
        addPolygon();
    }

    if (!s.shrinkRead) {
        s.shrinkSpeed = CFG::parser()->getNumber<float>("SHRINK_SPEED");
        s.levelIncShrink = CFG::parser()->getNumber<float>("LEVEL_INC_SHRINK");
        s.shrinkSpeedMax = CFG::parser()->getNumber<float>("SHRINK_SPEED_MAX");
        s.shrinkRead = true;
    }
    const int level = getLevel();
    float shrink = static_cast<float>(level) * s.levelIncShrink + s.shrinkSpeed;
    if (shrink > s.shrinkSpeedMax) {
        shrink = s.shrinkSpeedMax;
    }
    moveRings(shrink, dtSec);

    movePlayer(dtSec);
    const bool hit = drawPlayer();
    if (inRun) {
        ReplaySession::instance().frameDone(dt, heldKeys);
    }
    if (hit) {
        endRun(inRun);
    }
    return transition;
}

// The recorded frame time and keys of the next frame; false when the playback is over,
// by its end or by escape.
bool MainLogic::takeRecordedFrame(float& dt) {
    Replay::Frame frame{};
    if (keyHeld(kStopPlaybackKey) || !ReplaySession::instance().nextFrame(frame)) {
        return false;
    }
    dt = frame.dt;
    heldKeys = frame.keys;
    return true;
}

// A collision, or the end of a playback: the title follows with the time shown.
void MainLogic::endRun(bool collided) {
    const bool wasInRun = transition.empty();
    showInfo = true;
    transition = kDead;
    if (wasInRun) {
        ReplaySession::instance().runEnded(elapsed, getLevel(), collided);
    }
}

// Each ring is drawn where it stood before this frame's move; a ring that reaches the
// centre is drawn one last time and leaves the queue.
void MainLogic::moveRings(float shrink, float dtSec) {
    for (auto ring = polygons.begin(); ring != polygons.end();) {
        drawPolygon(*ring);
        ring->radius -= shrink * dtSec;
        ring->rotation += dtSec * ring->rotationSpeed;
        if (ring->radius <= 0.0f) {
            ring = polygons.erase(ring);
        } else {
            ++ring;
        }
    }
}

void MainLogic::movePlayer(float dtSec) {
    if (heldKeys & Replay::kUp) {
        playerHeight += dtSec * heightChange;
    }
    if (heldKeys & Replay::kDown) {
        playerHeight -= dtSec * heightChange;
    }
    if (heldKeys & Replay::kLeft) {
        playerRotation += dtSec * rotationChange;
    }
    if (heldKeys & Replay::kRight) {
        playerRotation -= dtSec * rotationChange;
    }
    // Below 0 becomes 0; so does a height that is not a number (opposite keys held with
    // an infinite frame time), which would otherwise never come back into range.
    if (!(playerHeight >= 0.0f)) {
        playerHeight = 0.0f;
    }
    if (playerHeight > maxHeight) {
        playerHeight = maxHeight;
    }
    playerRotation = wrapRotation(playerRotation);
}

// Angle 0 places the player right of the centre, 90 above it on the screen.
bool MainLogic::drawPlayer() {
    const float distance = playerHeight + baseHeight;
    const float theta = playerRotation * kDegreesToRadians;
    const float radius = CFG::parser()->getNumber<float>("PLAYER_POLY_RADIUS");
    const int numSides = readCount("PLAYER_POLY_NUM_SIDES", kMaxSides, kSidesWhat);
    const Polygon player{numSides,
                         kFieldCenter + distance * std::cos(theta),
                         kFieldCenter - distance * std::sin(theta),
                         radius,
                         playerRotation + kPlayerVertexOffset,
                         -1,
                         0.0f};
    return drawNest(player, "PLAYER_POLY_RADIUS_STEP",
                    [this](const Polygon& p) { return drawPolygon(p); });
}

std::uint8_t MainLogic::movementKeysHeld() const {
    const ProgramSettings& s = settings();
    return static_cast<std::uint8_t>(
        (keyHeld(s.keyUp) ? Replay::kUp : 0) | (keyHeld(s.keyDown) ? Replay::kDown : 0) |
        (keyHeld(s.keyLeft) ? Replay::kLeft : 0) | (keyHeld(s.keyRight) ? Replay::kRight : 0));
}

bool MainLogic::keyHeld(unsigned char code) const {
    const Devices::Keyboard* keyboard = Devices::getKeyboard();
    return keyboard != nullptr && keyboard->isKeyDown(code);
}

void MainLogic::addPolygon() {
    ProgramSettings& s = settings();
    if (!s.ringsRead) {
        s.radiusGapMin = CFG::parser()->getNumber<float>("RADIUS_GAP_MIN");
        s.radiusGap = CFG::parser()->getNumber<float>("RADIUS_GAP");
        s.levelReduceRadius = CFG::parser()->getNumber<float>("LEVEL_REDUCE_RADIUS");
        s.rotationRange = CFG::parser()->getRange<float>("ROTATION_RANGE");
        s.rotationChangeRange = CFG::parser()->getRange<float>("ROTATION_CHANGE_RANGE");
        s.ringsRead = true;
    }
    if (s.sidesList.empty()) {
        s.sidesList = readSidesList();
    }

    const int level = getLevel();
    float spacing = s.radiusGap - static_cast<float>(level) * s.levelReduceRadius;
    if (spacing < s.radiusGapMin) {
        spacing = s.radiusGapMin;
    }

    const float u1 = random->getFloat();
    const float u2 = random->getFloat();
    const float u3 = random->getFloat();
    const float u4 = random->getFloat();

    // A draw of exactly 1 would index one past the list: it takes the last entry.
    const std::size_t count = s.sidesList.size();
    std::size_t index = static_cast<std::size_t>(u1 * static_cast<float>(count));
    if (index >= count) {
        index = count - 1;
    }
    Polygon ring{};
    ring.numSides = s.sidesList[index];
    // A draw of exactly 1 gives gapSide == numSides: the ring is closed.
    ring.gapSide = static_cast<int>(u2 * static_cast<float>(ring.numSides));
    ring.rotation = s.rotationRange.first + u3 * (s.rotationRange.second - s.rotationRange.first);
    ring.rotationSpeed =
        minimumTurning(s.rotationChangeRange.first +
                           u4 * (s.rotationChangeRange.second - s.rotationChangeRange.first),
                       level);
    ring.centerX = kFieldCenter;
    ring.centerY = kFieldCenter;
    ring.radius = polygons.empty() ? kFirstRingRadius : polygons.back().radius + spacing;
    polygons.push_back(ring);
}

void MainLogic::doExit(const std::string& /*next*/) {
    if (view != nullptr) {
        if (manager != nullptr) {
            manager->getViewManager()->remove(view);
        }
        delete view;
        view = nullptr;
    }
    Util::Singleton<EVT::EventBus>::instance().removeConsumer(this);
}

void MainLogic::handleEvent(EVT::I_Event* /*event*/) {}

int MainLogic::levelFor(float elapsedMs, int levelSecs) {
    if (levelSecs <= 0) {
        return 0;
    }
    const float levels = elapsedMs / kMsPerSecond / static_cast<float>(levelSecs);
    if (std::isnan(levels)) {
        return 0;
    }
    if (levels >= static_cast<float>(kMaxLevel)) {
        return kMaxLevel;
    }
    if (levels <= -static_cast<float>(kMaxLevel)) {
        return -kMaxLevel;
    }
    return static_cast<int>(levels);
}

float MainLogic::wrapRotation(float degrees) {
    // Angles so large that adding or subtracting a turn no longer changes them would
    // never leave the loops below: reduce them first. A non-finite angle becomes 0.
    if (!std::isfinite(degrees)) {
        return 0.0f;
    }
    if (std::fabs(degrees) >= kLargeAngle) {
        degrees = std::fmod(degrees, kFullTurn);
    }
    if (degrees >= kFullTurn) {
        while (degrees >= kFullTurn) {
            degrees -= kFullTurn;
        }
    } else {
        while (degrees <= 0.0f) {
            degrees += kFullTurn;
        }
        if (degrees >= kFullTurn) {
            degrees -= kFullTurn;
        }
    }
    return degrees;
}

float MainLogic::minimumTurning(float speed, int level) {
    const float least = static_cast<float>(level);
    if (speed < 0.0f) {
        return speed > -least ? -least : speed;
    }
    return speed < least ? least : speed;
}

}  // namespace Tool
