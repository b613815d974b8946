#pragma once

namespace Render {

// Projection, viewport and swap interval of the render controller. When applied
// with setViewData a field at its 'keep' value leaves the current value alone:
// 0 for the floats and for width and height, -1 for x, y and vsync. A float
// counts as given whenever it is not equal to 0 (so a NaN is given). is3D is
// always applied. A default-constructed record keeps everything and selects
// the orthographic projection.
struct ViewData {
    float minZ = 0.0f;  // near plane (perspective) or near value (orthographic)
    float maxZ = 0.0f;  // far plane; also the base of fog distances
    float fov = 0.0f;   // vertical field of view in degrees (perspective only)
    int x = -1;         // viewport origin in pixels
    int y = -1;
    int width = 0;  // viewport size in pixels
    int height = 0;
    float scaleX = 0.0f;  // zoom: 1 is one unit per pixel, larger zooms out
    float scaleY = 0.0f;
    int vsync = -1;     // swap interval wanted: nonzero on, 0 off
    bool is3D = false;  // perspective when true, orthographic when false
};

}  // namespace Render
