#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Game/I_LogicState.h"
#include "Game/LogicController.h"

namespace {

using Log = std::vector<std::string>;

// A state that logs its calls and returns the scripted results of its updates, one per
// frame ("" once the script is used up).
class ScriptedState : public Game::I_LogicState {
public:
    ScriptedState(std::string stateName, Log& sharedLog, std::vector<std::string> results = {})
        : name(std::move(stateName)), log(sharedLog), script(std::move(results)) {}
    ~ScriptedState() override { log.push_back("~" + name); }

    void setPause(bool paused) override {
        log.push_back(name + ".pause(" + (paused ? "1" : "0") + ")");
    }
    void onEnter(const std::string& previous, const std::string& transition) override {
        log.push_back(name + ".enter(" + previous + "," + transition + ")");
    }
    std::string onUpdate(float) override {
        log.push_back(name + ".update");
        return next < script.size() ? script[next++] : std::string();
    }
    void doExit(const std::string&) override { log.push_back(name + ".exit"); }

    std::string name;
    Log& log;
    std::vector<std::string> script;
    std::size_t next = 0;
};

}  // namespace

TEST(LogicController, TheFirstStateIsEnteredAndUpdatedInTheFirstFrame) {
    Log log;
    {
        Game::LogicController controller;
        controller.onUpdate(16.0f);  // no states: nothing happens
        controller.setPause(true);   // before the first update: not remembered
        controller.add("A", new ScriptedState("A", log), {});
        controller.add("B", new ScriptedState("B", log), {});
        controller.onUpdate(16.0f);
        controller.onUpdate(16.0f);
        controller.setPause(true);
    }
    EXPECT_EQ(log, (Log{"A.enter(,)", "A.update", "A.update", "A.pause(1)", "~B", "~A"}));
}

TEST(LogicController, TheGamesTablesSwitchBetweenTheTwoStatesWithAStarTransition) {
    Log log;
    Game::LogicController controller;
    controller.add("RUNNING", new ScriptedState("RUNNING", log, {"EXIT", "DEAD"}),
                   {{"*", "TITLE"}});
    controller.add("TITLE", new ScriptedState("TITLE", log, {"START"}), {{"*", "RUNNING"}});
    for (int frame = 0; frame < 3; ++frame) {
        controller.onUpdate(16.0f);
    }
    EXPECT_EQ(log,
              (Log{"RUNNING.enter(,)", "RUNNING.update", "TITLE.enter(RUNNING,*)", "TITLE.update",
                   "RUNNING.enter(TITLE,*)", "RUNNING.update", "TITLE.enter(RUNNING,*)"}));
    EXPECT_EQ(controller.getState("TITLE"),
              dynamic_cast<Game::I_LogicState*>(controller.getState("TITLE")));
    EXPECT_NE(controller.getState("TITLE"), nullptr);
    EXPECT_EQ(controller.getState("MENU"), nullptr);
}

TEST(LogicController, APrefixMatchPassesTheWholeResult) {
    Log log;
    Game::LogicController controller;
    controller.add("A", new ScriptedState("A", log, {"DEAD"}), {{"DEAD!", "A"}, {"DE", "X"}});
    controller.add("B", new ScriptedState("B", log), {});
    controller.add("X", new ScriptedState("X", log), {});
    controller.onUpdate(1.0f);
    EXPECT_EQ(log.back(), "X.enter(A,DEAD)");
}

TEST(LogicController, TheEmptyNameMatchesEveryResultBeforeTheStar) {
    Log log;
    Game::LogicController controller;
    controller.add("S", new ScriptedState("S", log, {"ANY"}), {{"*", "A"}, {"", "B"}});
    controller.add("A", new ScriptedState("A", log), {});
    controller.add("B", new ScriptedState("B", log), {});
    controller.onUpdate(1.0f);
    EXPECT_EQ(log.back(), "B.enter(S,ANY)");
}

TEST(LogicController, WithoutAUsableTransitionTheNextStateFollowsCyclically) {
    Log log;
    Game::LogicController controller;
    // Alone with an empty table: re-entered with itself as previous state.
    controller.add("ONLY", new ScriptedState("ONLY", log, {"GO"}), {});
    controller.onUpdate(1.0f);
    EXPECT_EQ(log.back(), "ONLY.enter(ONLY,*)");

    Log cycle;
    Game::LogicController three;
    three.add("A", new ScriptedState("A", cycle, {"X"}), {{"X", "NOWHERE"}});
    three.add("B", new ScriptedState("B", cycle, {"Y"}), {{"Z", "A"}});
    three.add("C", new ScriptedState("C", cycle, {"Y"}), {});
    three.onUpdate(1.0f);
    three.onUpdate(1.0f);
    three.onUpdate(1.0f);
    EXPECT_EQ(cycle, (Log{"A.enter(,)", "A.update", "B.enter(A,X)", "B.update", "C.enter(B,*)",
                          "C.update", "A.enter(C,*)"}));
}
