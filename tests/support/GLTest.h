#pragma once

// The GL header must come before any GLFW header.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

namespace TestSupport {

// A hidden GLFW window with a compatibility context, current for the whole test.
// Without a display or driver the test is skipped, or fails when the environment
// variable QUORLITH_REQUIRE_GL is 1 (the test command sets it).
class GLTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    void SetUp() override;
    void TearDown() override;

    // RGBA bytes of the back buffer, bottom row first, read before any swap
    // (llvmpipe's front buffer reads black after a swap).
    std::vector<unsigned char> readPixels(int x, int y, int width, int height) const;
    // The RGBA pixel at (x, y), y counted from the bottom.
    std::vector<unsigned char> pixelAt(int x, int y) const { return readPixels(x, y, 1, 1); }

    GLFWwindow* window = nullptr;
};

// True when QUORLITH_REQUIRE_GL is set to 1.
bool glRequired();

// True when a display is set and xdotool is installed: what a test that sends real
// input to a window needs.
bool canSendWindowInput();

}  // namespace TestSupport
