#include "Game/GameManager.h"

#include <algorithm>

#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "Game/I_GameUpdated.h"
#include "Game/I_LogicController.h"
#include "Game/I_ScreenWatcher.h"
#include "Game/I_WindowApp.h"
#include "Game/TimerBase.h"
#include "Game/ViewManager.h"
#include "Render/I_RenderController.h"
#include "Util/FatalReport.h"

namespace Game {

namespace {

constexpr int kDefaultBaseWidth = 800;
constexpr int kDefaultBaseHeight = 600;
constexpr float kMillisecondsPerSecond = 1000.0f;

// Whole-number keys the manager is built from; check* returns the value unchanged or ends
// the game with a report naming the key and its limits.
int checkBaseSize(const char* key, int pixels) {
    if (pixels < 0 || pixels > GameManager::kMaxBaseSize) {
        QUORLITH_FATAL(key << " is " << pixels << ", outside 0 ... " << GameManager::kMaxBaseSize
                           << " pixels");
    }
    return pixels;
}

int checkFrameRate(int frameRate) {
    if (frameRate < 0 || frameRate > GameManager::kMaxFrameRate) {
        QUORLITH_FATAL("FRAME_RATE is " << frameRate << ", outside 0 ... "
                                        << GameManager::kMaxFrameRate << " frames per second");
    }
    return frameRate;
}

int checkFrameSkip(int maxFrameSkip) {
    if (maxFrameSkip > GameManager::kMaxFrameSkip) {
        QUORLITH_FATAL("FRAME_SKIP is " << maxFrameSkip << ", more than the "
                                        << GameManager::kMaxFrameSkip
                                        << " frames in a row that may go undrawn");
    }
    return maxFrameSkip;
}

// The event types the manager works on, in the order it subscribes to them.
constexpr int kSubscribedTypes[] = {
    EVT::ET_PAUSE,  EVT::ET_RESUME, EVT::ET_SCREEN, EVT::ET_PRE_UPDATE, EVT::ET_UPDATE,
    EVT::ET_RENDER, EVT::ET_MOUSE,  EVT::ET_JOYPAD, EVT::ET_KEY,        EVT::ET_ENTER_LEAVE,
};

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

template <class T>
bool contains(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <class T>
void eraseFirst(std::vector<T*>& list, const T* item) {
    const auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) {
        list.erase(found);
    }
}

}  // namespace

GameManager::GameManager(int baseWidth, int baseHeight, int frameRate, int maxFrameSkip)
    : viewManager(std::make_unique<ViewManager>()),
      baseWidth(checkBaseSize("BASE_SCREEN_WIDTH", baseWidth) != 0 ? baseWidth : kDefaultBaseWidth),
      baseHeight(checkBaseSize("BASE_SCREEN_HEIGHT", baseHeight) != 0 ? baseHeight
                                                                      : kDefaultBaseHeight),
      frameTime(checkFrameRate(frameRate) != 0
                    ? kMillisecondsPerSecond / static_cast<float>(frameRate)
                    : 0.0f),
      maxFrameSkip(checkFrameSkip(maxFrameSkip)) {
    for (int type : kSubscribedTypes) {
        bus().addConsumer(type, this);
    }
}

GameManager::~GameManager() = default;

void GameManager::getScreenSize(int& width, int& height) const {
    viewManager->getScreenSize(width, height);
}

void GameManager::getScreenScale(float& x, float& y) const {
    x = static_cast<float>(screenWidth) / static_cast<float>(baseWidth);
    y = static_cast<float>(screenHeight) / static_cast<float>(baseHeight);
}

void GameManager::addScreenWatcher(I_ScreenWatcher* watcher) {
    if (contains(screenWatchers, watcher)) {
        return;
    }
    screenWatchers.push_back(watcher);
    watcher->screenSizeChanged(screenWidth, screenHeight);
}

void GameManager::removeScreenWatcher(I_ScreenWatcher* watcher) {
    eraseFirst(screenWatchers, watcher);
}

void GameManager::addGameUpdated(I_GameUpdated* listener) {
    if (!contains(updateListeners, listener)) {
        updateListeners.push_back(listener);
    }
}

void GameManager::removeGameUpdated(I_GameUpdated* listener) {
    eraseFirst(updateListeners, listener);
}

double GameManager::getTime() const {
    return windowApp->getTime();
}

void GameManager::resetTime() {
    windowApp->resetTime();
}

void GameManager::run() {
    if (!windowApp->initWindowApp()) {
        QUORLITH_FATAL("Failed to init window");
    }
    renderController->init();
    windowApp->run();
}

void GameManager::shutdown() {
    bus().raiseEvent(EVT::ET_QUIT, true);
}

// Walks a snapshot of the list, so that a listener may add or remove listeners while
// it is notified: one removed meanwhile is not called, one added meanwhile waits for
// the next notification.
template <class Listener, class Call>
void GameManager::notifyAll(const std::vector<Listener*>& listeners, Call call) {
    const std::vector<Listener*> snapshot = listeners;
    for (Listener* listener : snapshot) {
        if (contains(listeners, listener)) {
            call(listener);
        }
    }
}

void GameManager::handleEvent(EVT::I_Event* event) {
    switch (event->type) {
        case EVT::ET_PAUSE:
        case EVT::ET_RESUME: {
            const bool paused = event->type == EVT::ET_PAUSE;
            TimerBase::setPause(paused);
            viewManager->setPause(paused);
            if (logicController) {
                logicController->setPause(paused);
            }
            break;
        }
        case EVT::ET_PRE_UPDATE:
            lastElapsed = static_cast<EVT::Event_PreUpdate*>(event)->elapsed;
            viewManager->preUpdate(lastElapsed);
            break;
        case EVT::ET_UPDATE:
            update(static_cast<EVT::Event_Update*>(event)->elapsed);
            break;
        case EVT::ET_RENDER:
            render();
            break;
        case EVT::ET_SCREEN: {
            const auto* screen = static_cast<EVT::Event_Screen*>(event);
            screenChanged(screen->width, screen->height);
            break;
        }
        case EVT::ET_MOUSE:
        case EVT::ET_ENTER_LEAVE:
        case EVT::ET_KEY:
        case EVT::ET_JOYPAD:
            viewManager->onInput(event);
            break;
        default:
            break;
    }
}

// Timers, update listeners, the game logic, then the views.
void GameManager::update(float elapsed) {
    lastElapsed = elapsed;
    TimerBase::onUpdate(elapsed);
    notifyAll(updateListeners,
              [this](I_GameUpdated* listener) { listener->gameUpdated(lastElapsed); });
    if (logicController) {
        logicController->onUpdate(elapsed);
    }
    viewManager->onUpdate(elapsed);
}

// A frame that ran longer than the target is not drawn, up to maxFrameSkip in a row;
// otherwise clear, let the views draw and present.
void GameManager::render() {
    if (frameTime != 0.0f && skippedFrames < maxFrameSkip && lastElapsed > frameTime) {
        ++skippedFrames;
        return;
    }
    if (windowApp->isClearWindow()) {
        windowApp->clearWindow(windowApp->getClearColor());
    }
    viewManager->onRender();
    windowApp->showWindow();
    skippedFrames = 0;
}

void GameManager::screenChanged(int width, int height) {
    screenWidth = width;
    screenHeight = height;
    viewManager->setScreenSize(width, height);
    notifyAll(screenWatchers, [this](I_ScreenWatcher* watcher) {
        watcher->screenSizeChanged(screenWidth, screenHeight);
    });
}

}  // namespace Game
