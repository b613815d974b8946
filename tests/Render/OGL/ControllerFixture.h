#pragma once

#include "support/GLTest.h"

#include <memory>

#include "Render/OGL/Controller.h"

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

    static Render::ViewData screenView() {
        Render::ViewData view;
        view.minZ = -1.0f;
        view.maxZ = 1.0f;
        view.x = 0;
        view.y = 0;
        view.width = kWidth;
        view.height = kHeight;
        view.scaleX = 1.0f;
        view.scaleY = 1.0f;
        view.vsync = 0;
        view.is3D = false;
        return view;
    }

    std::unique_ptr<Render::OGL::Controller> controller;
};

}  // namespace RenderTest
