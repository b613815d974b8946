#pragma once

// Runs the real game binary on a private X server and looks at its window.

#include <sys/types.h>

#include <string>
#include <vector>

namespace E2E {

// A private Xvfb server (found through -displayfd, so it never collides with another
// one), stopped when the object goes away.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool running() const { return pid > 0 && !display.empty(); }
    const std::string& getDisplay() const { return display; }  // ":N"

private:
    pid_t pid = -1;
    std::string display;
};

// RGB pixels of a screenshot, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool valid() const { return width > 0 && height > 0; }
    // Whether the pixel at (x, y), y counted from the bottom as OpenGL does, is bright.
    bool whiteAt(int x, int yUp) const;
    // Number of pixels that differ between two images of the same size.
    int differences(const Image& other) const;
};

// One run of the game binary in a working directory with a display (empty: none).
// The process is killed when the object goes away if it has not ended.
class GameProcess {
public:
    GameProcess(const std::string& workDir, const std::vector<std::string>& args,
                const std::string& display);
    // The same with another binary of the game (an installed or unpacked one).
    GameProcess(const std::string& workDir, const std::vector<std::string>& args,
                const std::string& display, const std::string& binary);
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Waits up to timeoutSeconds for the process to end. The exit status, 128 + signal
    // for a signal, or -1 when it is still running.
    int waitForExit(double timeoutSeconds);
    // What the process wrote to its error stream so far.
    std::string errorOutput() const;

    // The id of the game window, waiting for it to appear; empty when it does not.
    std::string findWindow() const;
    Image screenshot(const std::string& window) const;
    // Saves a screenshot as PNG.
    bool savePNG(const std::string& window, const std::string& path) const;
    // xdotool key / keydown / keyup with a key name such as "space" or "Left".
    void key(const std::string& name) const;
    void keyDown(const std::string& name) const;
    void keyUp(const std::string& name) const;

private:
    std::string withDisplay(const std::string& command) const;

    std::string display;
    std::string errorFile;
    pid_t pid = -1;
    int status = -1;
};

// The game's data folder, without any settings file, copied into a fresh temporary
// folder that is removed afterwards.
class DataCopy {
public:
    DataCopy();
    ~DataCopy();
    const std::string& path() const { return root; }

private:
    std::string root;
};

void sleepSeconds(double seconds);

}  // namespace E2E
