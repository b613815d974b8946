#pragma once

namespace Render {
class I_RenderController;
}

namespace GameHelper {

class ViewBoxHelper;

// Sets a two-dimensional pixel projection on the render controller: one unit per
// pixel, y growing upwards, the origin at the area's lower left corner (or at its
// middle when centred).
class RenderHelper {
public:
    explicit RenderHelper(Render::I_RenderController* controller);  // not owned
    virtual ~RenderHelper();

    // The area of the helper's view box, not centred.
    virtual void set2D(const ViewBoxHelper* box) const;
    // An area of width x height pixels at the window origin.
    virtual void set2D(int width, int height, bool centre) const;
    // Viewport at (x, y) of width x height pixels: orthographic projection from -1 to 1
    // in depth, vertical sync on, then the camera at the origin (or moved back by half
    // the area, truncated, when centre is set) looking down -z with y up.
    virtual void set2D(int x, int y, int width, int height, bool centre) const;

private:
    Render::I_RenderController* controller;  // not owned
};

}  // namespace GameHelper
