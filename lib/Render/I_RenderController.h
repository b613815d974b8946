#pragma once

#include "MathStuff/Orientation.h"
#include "MathStuff/Vector3.h"
#include "Render/I_CreatePixelBuffer.h"
#include "Render/I_CreateRenderBuffer.h"
#include "Render/I_CreateVertexArray.h"
#include "Render/I_EffectsController.h"
#include "Render/I_RenderAbilities.h"
#include "Render/RenderType.h"
#include "Render/ViewData.h"

namespace Render {

class I_RenderQueue;

// The one gateway to the renderer: abilities, projection and viewport, camera,
// render states, screen pixels, draw calls and the makers of vertex arrays,
// render buffers and pixel buffers. Every operation that touches OpenGL runs
// on the thread that owns the context, after init.
class I_RenderController : public I_RenderAbilities,
                           public I_CreateVertexArray,
                           public I_CreateRenderBuffer,
                           public I_CreatePixelBuffer,
                           public I_EffectsController {
public:
    virtual ~I_RenderController() {}

    // Once the OpenGL context exists: swap interval and the initial render state.
    virtual void init() = 0;

    // Saves a copy of the view data / re-applies and drops the last saved one
    // (nothing when none is saved).
    virtual void pushViewData() = 0;
    virtual void popViewData() = 0;
    // Applies projection, viewport and swap interval; fields at their 'keep'
    // value leave the current ones (see ViewData).
    virtual void setViewData(const ViewData& viewData) = 0;
    virtual const ViewData& getViewData() const = 0;

    // Saves a copy of the camera / re-applies and drops the last saved one.
    virtual void pushCamera() = 0;
    virtual void popCamera() = 0;
    // Stores the camera and loads the view matrix from it.
    virtual void setCamera(const MathStuff::Orientation<float>& camera) = 0;
    virtual const MathStuff::Orientation<float>& getCamera() const = 0;

    // Window coordinates (x, y, depth) of a point in world space.
    virtual MathStuff::Vector3<float> projectPoint(MathStuff::Vector3<float> point) const = 0;
    // The direction through window pixel (x, y), less the camera position.
    virtual MathStuff::Vector3<float> getPickRay(int x, int y) const = 0;

    // Copies the colour of the source rectangle of the read framebuffer to the
    // destination rectangle of the draw framebuffer, filtered linearly.
    virtual void blit(int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1,
                      int dstY1) = 0;
    // Draws from the vertex array in use; a zero count or an unknown kind draws
    // nothing.
    virtual void drawArrays(RenderType type, int first, unsigned count) = 0;
    virtual void drawElements(RenderType type, unsigned count, unsigned* indices) = 0;

    // The render queue, owned by the controller.
    virtual I_RenderQueue* getRenderQueue() = 0;

    // Reads a rectangle of the framebuffer as RGBA bytes, bottom row first,
    // into dest (width * height * 4 bytes).
    virtual void copyScreen(unsigned char* dest, int x, int y, int width, int height) = 0;
    // Writes RGBA bytes (width * height * 4) with their bottom left corner at
    // window pixel (x, y).
    virtual void showScreen(unsigned char* src, int x, int y, int width, int height) = 0;
};

}  // namespace Render
