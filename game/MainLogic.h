#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "EVT/I_EventConsumer.h"
#include "Game/I_LogicState.h"
#include "game/MainViewFactory.h"
#include "game/PlayField.h"

namespace Game {
class GameManager;
class I_View;
}  // namespace Game

namespace RNG {
class RandSimple;
}

namespace Tool {

// Prepares the replays of the process (ReplaySession::prepare) before the running state
// reads its configuration: a base class, so that it comes before the play field's.
struct ReplayPreparation {
    ReplayPreparation();
};

// The running state ("RUNNING"): one run of play. Every frame it rebuilds the play
// field from the centre-polygon snapshot, tops the rings up, draws, shrinks and turns
// them, moves the player from the held keys, draws it and tests its vertices. onUpdate
// returns "" while the run goes on, "DEAD" after a collision and "EXIT" on the very
// first frame of the program, after the first entry has created the main view.
// While a replay plays (ReplaySession), its recorded frame times and keys replace the
// frame time given and the keyboard; escape stops it.
//
// Configuration is read by key as the game needs it; the movement keys, the shrink
// parameters and the ring parameters are read once per program and shared by every
// instance.
class MainLogic : public Game::I_LogicState,
                  public EVT::I_EventConsumer,
                  private ReplayPreparation,
                  public PlayField {
public:
    // Reads the grid size, the player parameters, LEVEL_SECS and GAME_SEED. manager is not
    // owned and may be null (the view is then not registered anywhere); viewFactory makes
    // the view on the first entry, by default the game's main view.
    explicit MainLogic(Game::GameManager* manager, ViewFactory viewFactory = &createMainView);
    // Cleans up as doExit does, then releases the generator and the play field.
    ~MainLogic() override;
    MainLogic(const MainLogic&) = delete;
    MainLogic& operator=(const MainLogic&) = delete;

    // While paused the frame time counts as zero; the field is still rebuilt.
    void setPause(bool paused) override;
    // Prepares a new run: clears the field, draws the centre polygon and snapshots it;
    // creates and registers the view on the first entry (transition "EXIT", info shown),
    // otherwise starts play (transition "", info hidden); resets clock, player and rings.
    void onEnter(const std::string& previousState, const std::string& transition) override;
    // One frame; dt in milliseconds of game time. Returns the transition name.
    std::string onUpdate(float dt) override;
    // Removes the view from the view manager, destroys it and unsubscribes this state.
    void doExit(const std::string& next) override;
    // Ignores every event; the state subscribes to none.
    void handleEvent(EVT::I_Event* event) override;

    // Appends one new ring outside the outermost one.
    void addPolygon();

    // What the view and the tools read.
    float getElapsed() const { return elapsed; }   // ms of play since the last entry
    bool getShowInfo() const { return showInfo; }  // true while no run is in progress
    const std::deque<Polygon>& getPolygons() const { return polygons; }  // innermost first
    float getPlayerHeight() const { return playerHeight; }
    float getPlayerRotation() const { return playerRotation; }  // degrees, 0 ... 360
    const std::string& getTransition() const { return transition; }
    Game::I_View* getView() const { return view; }
    // The level of the current elapsed time.
    int getLevel() const { return levelFor(elapsed, levelSecs); }

    // elapsed (ms) / 1000 / levelSecs, truncated towards zero. A levelSecs of 0 or less
    // keeps the level at 0; the result is limited to kMaxLevel.
    static int levelFor(float elapsedMs, int levelSecs);
    // Forgets the values read once per program, so that the next instance reads them
    // again: for tools that play several programs in one process (fuzzing).
    static void forgetProgramSettings();
    // Brings degrees into 0 ... 360 (360 excluded): -10 gives 350, 370 gives 10.
    static float wrapRotation(float degrees);
    // A ring's turning speed raised to at least level degrees per second in the direction
    // it was drawn with; 0 counts as positive.
    static float minimumTurning(float speed, int level);

    static constexpr int kMaxLevel = 1000000;
    // Limits of the counts the configuration gives; a larger value ends the game with a
    // report naming the key. One side per degree is round on any field a screen shows;
    // far more rings than fit between the centre and the edge of the field.
    static constexpr int kMaxSides = 360;  // CENTER_/PLAYER_POLY_NUM_SIDES, SIDES_LIST
    static constexpr int kMaxRings = 256;  // BASE_NUM_POLYGONS
    // Most outlines of one nest (centre polygon, player); a smaller radius step is raised.
    static constexpr int kMaxOutlines = 4096;

private:
    void drawCenterPolygon();
    void moveRings(float shrink, float dtSec);
    void movePlayer(float dtSec);
    bool drawPlayer();
    bool keyHeld(unsigned char code) const;
    std::uint8_t movementKeysHeld() const;
    bool takeRecordedFrame(float& dt);
    void endRun(bool collided);

    Game::GameManager* manager;  // not owned, may be null
    ViewFactory viewFactory;     // may be null: no view is made
    Game::I_View* view;          // owned; null until the first entry
    std::unique_ptr<RNG::RandSimple> random;
    bool paused;
    std::string transition;
    std::deque<Polygon> polygons;  // the rings, innermost at the front
    float elapsed;
    bool showInfo;
    float playerHeight;
    float playerRotation;
    float heightChange;
    float rotationChange;
    float maxHeight;
    float baseHeight;
    int levelSecs;
    std::uint8_t heldKeys;  // Replay::kUp ... kRight held in the current frame
};

}  // namespace Tool
