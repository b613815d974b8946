#include "e2e/GameDriver.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "support/TempDir.h"

namespace E2E {

namespace {

constexpr int kBrightLevel = 200;
constexpr double kPollSeconds = 0.05;

std::string run(const std::string& command) {
    std::string output;
    TestSupport::runCommand(command, output);
    return output;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

// The next header field of a PPM file, skipping blanks and "#" comment lines (the
// window's title ends up in one).
std::string ppmField(const std::string& data, size_t& at) {
    while (at < data.size()) {
        if (data[at] == '#') {
            at = data.find('\n', at);
            if (at == std::string::npos) {
                at = data.size();
            }
        } else if (std::isspace(static_cast<unsigned char>(data[at]))) {
            ++at;
        } else {
            break;
        }
    }
    const size_t start = at;
    while (at < data.size() && !std::isspace(static_cast<unsigned char>(data[at]))) {
        ++at;
    }
    return data.substr(start, at - start);
}

// Parses a binary PPM (P6, maxval 255).
Image parsePPM(const std::string& data) {
    Image image;
    size_t at = 0;
    const std::string magic = ppmField(data, at);
    image.width = std::atoi(ppmField(data, at).c_str());
    image.height = std::atoi(ppmField(data, at).c_str());
    const int maxValue = std::atoi(ppmField(data, at).c_str());
    ++at;  // the single whitespace after the header
    const size_t bytes = static_cast<size_t>(image.width) * image.height * 3;
    if (magic != "P6" || maxValue != 255 || image.width <= 0 || image.height <= 0 ||
        data.size() < at + bytes) {
        return Image();
    }
    image.rgb.assign(data.begin() + static_cast<long>(at),
                     data.begin() + static_cast<long>(at + bytes));
    return image;
}

}  // namespace

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

XServer::XServer() {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    pid = fork();
    if (pid == 0) {
        dup2(fds[1], 3);
        close(fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen", "0",
               "1600x900x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (!number.empty()) {
        display = ":" + number;
    }
}

XServer::~XServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

bool Image::whiteAt(int x, int yUp) const {
    const int row = height - 1 - yUp;
    if (x < 0 || x >= width || row < 0 || row >= height) {
        return false;
    }
    const size_t at = (static_cast<size_t>(row) * width + x) * 3;
    return rgb[at] > kBrightLevel && rgb[at + 1] > kBrightLevel && rgb[at + 2] > kBrightLevel;
}

int Image::differences(const Image& other) const {
    if (width != other.width || height != other.height) {
        return width * height;
    }
    int count = 0;
    for (size_t at = 0; at + 2 < rgb.size(); at += 3) {
        if (rgb[at] != other.rgb[at] || rgb[at + 1] != other.rgb[at + 1] ||
            rgb[at + 2] != other.rgb[at + 2]) {
            ++count;
        }
    }
    return count;
}

GameProcess::GameProcess(const std::string& workDir, const std::vector<std::string>& args,
                         const std::string& displayName)
    : GameProcess(workDir, args, displayName, QUORLITH_GAME_BINARY) {}

GameProcess::GameProcess(const std::string& workDir, const std::vector<std::string>& args,
                         const std::string& displayName, const std::string& gameBinary)
    : display(displayName), errorFile(workDir + "/stderr.txt") {
    pid = fork();
    if (pid == 0) {
        if (chdir(workDir.c_str()) != 0) {
            _exit(126);
        }
        const int err = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(err, 2);
        if (display.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", display.c_str(), 1);
        }
        unsetenv("WAYLAND_DISPLAY");
        std::vector<char*> argv;
        std::string binary = gameBinary;
        argv.push_back(binary.data());
        std::vector<std::string> copies(args);
        for (auto& arg : copies) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
}

GameProcess::~GameProcess() {
    if (pid > 0 && status < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

int GameProcess::waitForExit(double timeoutSeconds) {
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (status < 0) {
        int raw = 0;
        const pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            break;
        }
        if (std::chrono::steady_clock::now() > end) {
            return -1;
        }
        sleepSeconds(kPollSeconds);
    }
    return status;
}

std::string GameProcess::errorOutput() const {
    std::ifstream in(errorFile);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string GameProcess::withDisplay(const std::string& command) const {
    return "DISPLAY=" + display + " " + command;
}

std::string GameProcess::findWindow() const {
    std::string id = run(withDisplay(
        "timeout 30 xdotool search --sync --onlyvisible --name 'Quorlith' 2>/dev/null"));
    const size_t end = id.find('\n');
    return id.substr(0, end);
}

Image GameProcess::screenshot(const std::string& window) const {
    return parsePPM(
        run(withDisplay("xwd -silent -id " + window + " | /usr/bin/convert xwd:- -depth 8 ppm:-")));
}

bool GameProcess::savePNG(const std::string& window, const std::string& path) const {
    std::string output;
    return TestSupport::runCommand(
               withDisplay("/usr/bin/import -window " + window + " PNG24:" + quoted(path)),
               output) == 0;
}

void GameProcess::key(const std::string& name) const {
    run(withDisplay("xdotool key " + name));
}

void GameProcess::keyDown(const std::string& name) const {
    run(withDisplay("xdotool keydown " + name));
}

void GameProcess::keyUp(const std::string& name) const {
    run(withDisplay("xdotool keyup " + name));
}

DataCopy::DataCopy() {
    char pattern[] = "/tmp/quorlith-e2e-XXXXXX";
    const char* made = mkdtemp(pattern);
    root = made ? made : "";
    run("cp -r " + quoted(std::string(QUORLITH_DATA_DIR)) + "/. " + quoted(root));
    // A developer's own settings in data/ would change what the tests see.
    run("rm -f " + quoted(root) + "/SETTINGS_*");
}

DataCopy::~DataCopy() {
    if (!root.empty()) {
        run("rm -rf " + quoted(root));
    }
}

}  // namespace E2E
