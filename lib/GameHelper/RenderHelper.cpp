#include "GameHelper/RenderHelper.h"

#include "GameHelper/ViewBoxHelper.h"
#include "MathStuff/Orientation.h"
#include "Render/I_RenderController.h"
#include "Render/ViewData.h"

namespace GameHelper {

RenderHelper::RenderHelper(Render::I_RenderController* renderController)
    : controller(renderController) {}

RenderHelper::~RenderHelper() = default;

void RenderHelper::set2D(const ViewBoxHelper* box) const {
    const Render::ViewBox& area = box->getViewBox();
    set2D(area.x, area.y, area.width, area.height, false);
}

void RenderHelper::set2D(int width, int height, bool centre) const {
    set2D(0, 0, width, height, centre);
}

void RenderHelper::set2D(int x, int y, int width, int height, bool centre) const {
    Render::ViewData view;
    view.minZ = -1.0f;
    view.maxZ = 1.0f;
    view.fov = 0.0f;
    view.x = x;
    view.y = y;
    view.width = width;
    view.height = height;
    view.scaleX = 1.0f;
    view.scaleY = 1.0f;
    view.vsync = 1;
    view.is3D = false;
    controller->setViewData(view);

    MathStuff::Orientation<float> camera;
    if (centre) {
        camera.pos = MathStuff::Vector3<float>(static_cast<float>(-(width / 2)),
                                               static_cast<float>(-(height / 2)), 0.0f);
    }
    camera.dir = MathStuff::Vector3<float>(0.0f, 0.0f, -1.0f);
    camera.up = MathStuff::Vector3<float>(0.0f, 1.0f, 0.0f);
    camera.scale = MathStuff::Vector3<float>(1.0f, 1.0f, 1.0f);
    controller->setCamera(camera);
}

}  // namespace GameHelper
