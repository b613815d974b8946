#pragma once

#include "Render/ViewData.h"

namespace TestSupport {

// An orthographic view of the whole width x height viewport, one unit per pixel with
// the origin at the bottom left, without vertical sync.
inline Render::ViewData pixelView(int width, int height) {
    Render::ViewData view;
    view.minZ = -1.0f;
    view.maxZ = 1.0f;
    view.x = 0;
    view.y = 0;
    view.width = width;
    view.height = height;
    view.scaleX = 1.0f;
    view.scaleY = 1.0f;
    view.vsync = 0;
    view.is3D = false;
    return view;
}

}  // namespace TestSupport
