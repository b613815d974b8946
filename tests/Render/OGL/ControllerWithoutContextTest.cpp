#include <gtest/gtest.h>

#include <vector>

#include "Render/OGL/Controller.h"
#include "Render/OGL/RenderQueue.h"
#include "Render/OGL/SwapInterval.h"

namespace {
std::vector<int> l_swapIntervals;  // what the installed swap-interval function was given
void recordSwapInterval(int interval) {
    l_swapIntervals.push_back(interval);
}
}  // namespace

// No OpenGL context exists in this program: any OpenGL call would end it inside
// the loader, so these tests show that the calls meant to stay off OpenGL do.
TEST(ControllerWithoutContext, KeepsTheViewDataItWasGivenAndTheDefaultCamera) {
    Render::ViewData view;
    view.minZ = 0.5f;
    view.maxZ = 100.0f;
    view.fov = 45.0f;
    view.x = 3;
    view.y = 4;
    view.width = 320;
    view.height = 200;
    view.scaleX = 2.0f;
    view.scaleY = 0.5f;
    view.vsync = 1;
    view.is3D = true;
    Render::OGL::Controller controller(view);

    const Render::ViewData& kept = controller.getViewData();
    EXPECT_EQ(kept.minZ, 0.5f);
    EXPECT_EQ(kept.maxZ, 100.0f);
    EXPECT_EQ(kept.fov, 45.0f);
    EXPECT_EQ(kept.x, 3);
    EXPECT_EQ(kept.y, 4);
    EXPECT_EQ(kept.width, 320);
    EXPECT_EQ(kept.height, 200);
    EXPECT_EQ(kept.scaleX, 2.0f);
    EXPECT_EQ(kept.scaleY, 0.5f);
    EXPECT_EQ(kept.vsync, 1);
    EXPECT_TRUE(kept.is3D);

    const MathStuff::Orientation<float>& camera = controller.getCamera();
    EXPECT_EQ(camera.pos, MathStuff::Vector3<float>(0, 0, 0));
    EXPECT_EQ(camera.dir, MathStuff::Vector3<float>(0, 0, 1));
    EXPECT_EQ(camera.up, MathStuff::Vector3<float>(0, 1, 0));
    EXPECT_EQ(camera.scale, MathStuff::Vector3<float>(1, 1, 1));
}

TEST(ControllerWithoutContext, OverridesAnswerWithoutAskingOpenGL) {
    Render::OGL::Controller controller{Render::ViewData()};
    controller.setAbility(Render::ABILITY_MAX_TEXTURE_SIZE_2D, 256);
    controller.setAbility(Render::ABILITY_HAVE_VBOS, 0);
    EXPECT_EQ(controller.getAbility(Render::ABILITY_MAX_TEXTURE_SIZE_2D), 256);
    EXPECT_EQ(controller.getAbility(Render::ABILITY_HAVE_VBOS), 0);

    // Ids outside 0..12, negative ones too, answer -1 and take no override.
    controller.setAbility(13, 5);
    controller.setAbility(-1, 5);
    EXPECT_EQ(controller.getAbility(13), -1);
    EXPECT_EQ(controller.getAbility(-1), -1);
    EXPECT_EQ(controller.getAbility(1 << 30), -1);
}

TEST(ControllerWithoutContext, OwnsOneRenderQueueFromConstruction) {
    Render::OGL::Controller controller{Render::ViewData()};
    Render::I_RenderQueue* queue = controller.getRenderQueue();
    EXPECT_NE(dynamic_cast<Render::OGL::RenderQueue*>(queue), nullptr);
    EXPECT_EQ(controller.getRenderQueue(), queue);
}

TEST(ControllerWithoutContext, PopsOnEmptyStacksDoNothing) {
    Render::ViewData view;
    view.width = 10;
    Render::OGL::Controller controller(view);
    controller.popViewData();
    controller.popCamera();
    EXPECT_EQ(controller.getViewData().width, 10);
    EXPECT_EQ(controller.getCamera().dir, MathStuff::Vector3<float>(0, 0, 1));
}

// Vertical sync goes to the window layer's installed function, never to OpenGL.
TEST(ControllerWithoutContext, VsyncCallsTheInstalledSwapIntervalWithOneOrZero) {
    Render::ViewData view;
    Render::OGL::Controller controller(view);
    controller.setVsync();  // nothing installed: nothing happens

    Render::OGL::installSwapInterval(recordSwapInterval);
    for (int vsync : {1, 0, 7}) {
        view.vsync = vsync;
        Render::OGL::Controller{view}.setVsync();
    }
    Render::OGL::installSwapInterval(nullptr);
    controller.setVsync();
    EXPECT_EQ(l_swapIntervals, (std::vector<int>{1, 0, 1}));
}

TEST(AbilityNames, PairEveryIdWithItsConfigurationName) {
    EXPECT_STREQ(Render::abilityName(0), "HAVE_SHADERS");
    EXPECT_STREQ(Render::abilityName(4), "HAVE_VBOS");
    EXPECT_STREQ(Render::abilityName(3), "HAVE_FBOS");
    EXPECT_STREQ(Render::abilityName(6), "HAVE_FRAME_BLIT");
    EXPECT_STREQ(Render::abilityName(7), "HAVE_FLOAT_TEX");
    EXPECT_STREQ(Render::abilityName(12), "MAX_PBO_SIZE");
    EXPECT_EQ(Render::abilityName(13), nullptr);
    EXPECT_EQ(Render::abilityName(-1), nullptr);
}
