// The Debian package of this build, made with cpack and taken apart with dpkg-deb: the
// files it holds, its computed dependencies, desktop-file-validate and lintian, and the
// unpacked game started from an unrelated folder, with and without a player's settings
// file in XDG_CONFIG_HOME.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "e2e/GameDriver.h"
#include "support/TempDir.h"

namespace {

constexpr double kStartSeconds = 2.0;
constexpr double kExitTimeoutSeconds = 20.0;
const std::string kVersion = QUORLITH_VERSION_TEXT;
const std::string kTitle = "Quorlith: v" + kVersion;

struct CommandResult {
    int status = -1;
    std::string output;
};

// Runs a shell command, its error stream joined to its output.
CommandResult run(const std::string& command) {
    CommandResult result;
    result.status = TestSupport::runCommand(command + " 2>&1", result.output);
    return result;
}

std::string shellQuoted(const std::string& text) {
    return "'" + text + "'";
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

// The package made into a fresh folder and unpacked below it.
class Package : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string arch = trimmed(run("dpkg --print-architecture").output);
        const CommandResult made =
            run("cpack -G DEB --config " + shellQuoted(QUORLITH_CPACK_CONFIG) + " -B " +
                shellQuoted(folder.path()));
        ASSERT_EQ(made.status, 0) << made.output;
        deb = folder.file("quorlith_" + kVersion + "_" + arch + ".deb");
        root = folder.file("root");
        const CommandResult unpacked =
            run("dpkg-deb -x " + shellQuoted(deb) + " " + shellQuoted(root));
        ASSERT_EQ(unpacked.status, 0) << unpacked.output;
    }

    std::string field(const std::string& name) const {
        return trimmed(run("dpkg-deb -f " + shellQuoted(deb) + " " + name).output);
    }

    TestSupport::TempDir folder;
    std::string deb;
    std::string root;
};

}  // namespace

TEST_F(Package, HoldsTheGameItsDataAndTheirComputedDependencies) {
    const CommandResult info = run("dpkg-deb -I " + shellQuoted(deb));
    ASSERT_EQ(info.status, 0) << info.output;
    EXPECT_EQ(field("Package"), "quorlith");
    EXPECT_EQ(field("Version"), kVersion);
    EXPECT_EQ(field("Section"), "games");
    // The libraries the binaries link, as dpkg-shlibdeps names their packages.
    const std::string depends = field("Depends");
    for (const char* package : {"libc6", "libstdc++6", "libglfw3", "libepoxy0", "libglu1-mesa"}) {
        EXPECT_NE(depends.find(package), std::string::npos) << package << " in " << depends;
    }

    const CommandResult listing = run("dpkg-deb -c " + shellQuoted(deb));
    for (const char* file :
         {"./usr/games/quorlith", "./usr/bin/quorlith-config", "./usr/bin/quorlith-sim",
          "./usr/bin/quorlith-fontgen", "./usr/share/quorlith/quorlith.cfg",
          "./usr/share/quorlith/quorfont.cfg", "./usr/share/quorlith/quorfont.NEAR.NMIP.NCMP.tga",
          "./usr/share/applications/quorlith.desktop", "./usr/share/man/man6/quorlith.6.gz",
          "./usr/share/man/man1/quorlith-config.1.gz", "./usr/share/man/man1/quorlith-sim.1.gz",
          "./usr/share/man/man1/quorlith-fontgen.1.gz", "./usr/share/doc/quorlith/copyright",
          "./usr/share/doc/quorlith/changelog.gz"}) {
        EXPECT_NE(listing.output.find(std::string(file) + "\n"), std::string::npos) << file;
    }
    EXPECT_EQ(listing.output.find("SETTINGS_"), std::string::npos) << "a developer's settings";
    for (const char* size : {"32", "64", "128", "256"}) {
        const std::string icon =
            root + "/usr/share/icons/hicolor/" + size + "x" + size + "/apps/quorlith.png";
        EXPECT_EQ(trimmed(run("/usr/bin/identify -format '%m %wx%h' " + shellQuoted(icon)).output),
                  std::string("PNG ") + size + "x" + size);
    }

    const CommandResult desktop = run(
        "desktop-file-validate " + shellQuoted(root + "/usr/share/applications/quorlith.desktop"));
    EXPECT_EQ(desktop.status, 0) << desktop.output;
    EXPECT_EQ(desktop.output, "");
    const CommandResult lint = run("lintian --no-tag-display-limit " + shellQuoted(deb));
    EXPECT_EQ(lint.status, 0) << lint.output;  // lintian fails on errors only
    EXPECT_EQ(lint.output.find("\nE: "), std::string::npos) << lint.output;
    EXPECT_NE(lint.output.rfind("E: ", 0), 0u) << lint.output;
}

TEST_F(Package, UnpackedGameStartsAnywhereAndReadsThePlayersSettings) {
    const std::string game = root + "/usr/games/quorlith";
    EXPECT_EQ(trimmed(run(shellQuoted(game) + " --version").output), "quorlith " + kVersion);

    // Nothing of the player's own: a fresh home and configuration folder.
    TestSupport::TempDir home, elsewhere;
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.file("config").c_str(), 1);
    E2E::XServer server;
    ASSERT_TRUE(server.running()) << "Xvfb did not start";

    const auto playUntilEscape = [&](int& width, int& height) {
        E2E::GameProcess process(elsewhere.path(), {}, server.getDisplay(), game);
        const std::string window = process.findWindow();
        ASSERT_FALSE(window.empty()) << "no game window; the game said:\n" << process.errorOutput();
        EXPECT_EQ(
            trimmed(
                run("DISPLAY=" + server.getDisplay() + " xdotool getwindowname " + window).output),
            kTitle);
        E2E::sleepSeconds(kStartSeconds);
        const E2E::Image shot = process.screenshot(window);
        width = shot.width;
        height = shot.height;
        process.keyDown("Escape");
        E2E::sleepSeconds(0.2);
        process.keyUp("Escape");
        EXPECT_EQ(process.waitForExit(kExitTimeoutSeconds), 0) << process.errorOutput();
    };

    int width = 0, height = 0;
    playUntilEscape(width, height);
    EXPECT_EQ(width, 1024);  // the shipped window, read from the unpacked data folder
    EXPECT_EQ(height, 768);

    home.write("config/quorlith/SETTINGS_quorlith.cfg", "SCREEN_WIDTH==800\nSCREEN_HEIGHT==600\n");
    playUntilEscape(width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}
