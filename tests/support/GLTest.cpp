#include "support/GLTest.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "Render/OGL/SwapInterval.h"
#include "support/TempDir.h"

namespace TestSupport {

namespace {

constexpr int kInitAttempts = 5;
constexpr auto kInitRetryDelay = std::chrono::milliseconds(200);

std::string l_lastGlfwError;

void rememberGlfwError(int, const char* description) {
    l_lastGlfwError = description;
}

// The X server may be between clients for a moment; try a few times.
bool initGlfwWithRetry() {
    for (int attempt = 0; attempt < kInitAttempts; ++attempt) {
        if (glfwInit() == GLFW_TRUE) {
            return true;
        }
        std::this_thread::sleep_for(kInitRetryDelay);
    }
    return false;
}

}  // namespace

bool glRequired() {
    const char* value = std::getenv("QUORLITH_REQUIRE_GL");
    return value && std::strcmp(value, "1") == 0;
}

bool canSendWindowInput() {
    const char* display = std::getenv("DISPLAY");
    std::string ignored;
    return display && *display && runCommand("command -v xdotool", ignored) == 0;
}

void GLTest::SetUp() {
    glfwSetErrorCallback(rememberGlfwError);
    if (initGlfwWithRetry()) {
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        glfwWindowHint(GLFW_DEPTH_BITS, 24);
        glfwWindowHint(GLFW_STENCIL_BITS, 8);
        window = glfwCreateWindow(kWidth, kHeight, "Quorlith GL test", nullptr, nullptr);
    }
    if (!window) {
        std::string why = "no OpenGL context: " + l_lastGlfwError;
        if (glRequired()) {
            FAIL() << why;
        }
        GTEST_SKIP() << why;
    }
    glfwMakeContextCurrent(window);
    // The render controller's vertical sync reaches this window, as the game's does.
    Render::OGL::installSwapInterval(glfwSwapInterval);
    glViewport(0, 0, kWidth, kHeight);
}

void GLTest::TearDown() {
    Render::OGL::installSwapInterval(nullptr);
    if (window) {
        glfwDestroyWindow(window);
        window = nullptr;
    }
    glfwTerminate();
}

std::vector<unsigned char> GLTest::readPixels(int x, int y, int width, int height) const {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace TestSupport
