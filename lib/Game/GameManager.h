#pragma once

#include <memory>
#include <vector>

#include "EVT/I_EventConsumer.h"

namespace Render {
class I_RenderController;
}
namespace Sound {
class I_SoundController;
}

namespace Game {

class I_GameUpdated;
class I_LogicController;
class I_ScreenWatcher;
class I_WindowApp;
class ViewManager;

// The hub of a running game: turns the frame events of the window application into
// one fixed order of work per frame - pre-update of the views; timers, update
// listeners, logic and views; then (unless the frame is skipped) clear, draw and
// present - and passes size and input events on. It owns the view manager only.
class GameManager : public EVT::I_EventConsumer {
public:
    // The values of BASE_SCREEN_WIDTH, BASE_SCREEN_HEIGHT, FRAME_RATE and FRAME_SKIP. A
    // base size of 0 becomes 800 by 600; a frame rate of 0 never skips a render, nor does
    // a skip limit of 0 or less. A base size outside 0 ... kMaxBaseSize, a frame rate
    // outside 0 ... kMaxFrameRate or a skip limit above kMaxFrameSkip ends the game with
    // a report naming the key. Subscribes to pause, resume, size, pre-update, update,
    // render and input events.
    GameManager(int baseWidth, int baseHeight, int frameRate, int maxFrameSkip);

    // No screen is wider or taller than this; the base size only scales the text.
    static constexpr int kMaxBaseSize = 16384;
    // No display refreshes faster; a negative rate would skip every frame it could.
    static constexpr int kMaxFrameRate = 1000;
    // Window input arrives only with a drawn frame, so at least every 61st frame is
    // drawn and escape or the close button are never ignored for long.
    static constexpr int kMaxFrameSkip = 60;
    // Deletes the view manager (not its views); leaves every collaborator alone.
    ~GameManager() override;

    GameManager(const GameManager&) = delete;
    GameManager& operator=(const GameManager&) = delete;

    // The collaborators are not owned. Window, render and logic controller must be
    // set before run().
    void setWindowApp(I_WindowApp* app) { windowApp = app; }
    void setRenderController(Render::I_RenderController* controller) {
        renderController = controller;
    }
    void setSoundController(Sound::I_SoundController* controller) { soundController = controller; }
    void setLogicController(I_LogicController* controller) { logicController = controller; }

    I_WindowApp* getWindowApp() const { return windowApp; }
    Render::I_RenderController* getRenderController() const { return renderController; }
    Sound::I_SoundController* getSoundController() const { return soundController; }
    I_LogicController* getLogicController() const { return logicController; }
    ViewManager* getViewManager() const { return viewManager.get(); }

    int getBaseWidth() const { return baseWidth; }
    int getBaseHeight() const { return baseHeight; }
    // The view manager's current size.
    void getScreenSize(int& width, int& height) const;
    // Screen size divided by base size.
    void getScreenScale(float& x, float& y) const;

    // A new watcher is told the current size at once; adding one twice does nothing.
    void addScreenWatcher(I_ScreenWatcher* watcher);
    void removeScreenWatcher(I_ScreenWatcher* watcher);
    // Listeners are called on every update after the timers, in the order added.
    void addGameUpdated(I_GameUpdated* listener);
    void removeGameUpdated(I_GameUpdated* listener);

    // The window application's clock, seconds.
    double getTime() const;
    // The next frame reports an elapsed time of 0.
    void resetTime();

    // Starts the window application (fatal "Failed to init window" when it cannot),
    // initialises the render controller and runs the frame loop until it ends.
    void run();
    // Asks the game to end: a queued quit event, so the current frame still completes.
    void shutdown();

    void handleEvent(EVT::I_Event* event) override;

private:
    template <class Listener, class Call>
    static void notifyAll(const std::vector<Listener*>& listeners, Call call);
    void update(float elapsed);
    void render();
    void screenChanged(int width, int height);

    I_WindowApp* windowApp = nullptr;                        // not owned
    Render::I_RenderController* renderController = nullptr;  // not owned
    Sound::I_SoundController* soundController = nullptr;     // not owned
    I_LogicController* logicController = nullptr;            // not owned
    std::unique_ptr<ViewManager> viewManager;
    std::vector<I_ScreenWatcher*> screenWatchers;  // not owned; in the order added
    std::vector<I_GameUpdated*> updateListeners;   // not owned; in the order added
    int baseWidth;
    int baseHeight;
    int screenWidth = 0;
    int screenHeight = 0;
    float frameTime;           // target frame length in ms; 0: no limit
    int maxFrameSkip;          // renders that may be skipped in a row
    float lastElapsed = 0.0f;  // ms of the last update or pre-update
    int skippedFrames = 0;     // renders skipped since the last drawn frame
};

}  // namespace Game
