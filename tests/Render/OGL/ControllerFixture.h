#pragma once

#include "support/GLTest.h"

#include <memory>

#include "Render/OGL/Controller.h"
#include "support/PixelView.h"

namespace RenderTest {

// A controller on the hidden test window, initialised and showing the whole
// 640 x 480 window one unit per pixel with the origin at the bottom left.
class ControllerTest : public TestSupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        controller.reset(new Render::OGL::Controller(screenView()));
        controller->init();
        controller->setViewData(screenView());
    }

    void TearDown() override {
        controller.reset();
        GLTest::TearDown();
    }

    static Render::ViewData screenView() { return TestSupport::pixelView(kWidth, kHeight); }

    std::unique_ptr<Render::OGL::Controller> controller;
};

}  // namespace RenderTest
