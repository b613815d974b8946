#pragma once

#include <memory>
#include <vector>

#include "MathStuff/Orientation.h"
#include "Render/I_RenderController.h"
#include "Render/ViewData.h"

namespace Render {
namespace OGL {

// The render controller over a fixed-function OpenGL context. Construction issues
// no OpenGL call; init() runs once the context is current, and from then on every
// call runs on the context's thread. OpenGL state set here persists between calls.
class Controller : public Render::I_RenderController {
public:
    // Keeps a copy of the view data; the projection and viewport are applied by
    // the first setViewData.
    explicit Controller(const Render::ViewData& viewData);
    ~Controller() override;

    // Abilities
    int getAbility(int id) override;
    void setAbility(int id, int value) override;

    // Controller
    void init() override;
    void pushViewData() override;
    void popViewData() override;
    void setViewData(const Render::ViewData& viewData) override;
    const Render::ViewData& getViewData() const override;
    void pushCamera() override;
    void popCamera() override;
    void setCamera(const MathStuff::Orientation<float>& camera) override;
    const MathStuff::Orientation<float>& getCamera() const override;
    MathStuff::Vector3<float> projectPoint(MathStuff::Vector3<float> point) const override;
    MathStuff::Vector3<float> getPickRay(int x, int y) const override;
    void blit(int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1,
              int dstY1) override;
    void drawArrays(Render::RenderType type, int first, unsigned count) override;
    void drawElements(Render::RenderType type, unsigned count, unsigned* indices) override;
    Render::I_RenderQueue* getRenderQueue() override;
    void copyScreen(unsigned char* dest, int x, int y, int width, int height) override;
    void showScreen(unsigned char* src, int x, int y, int width, int height) override;

    // Makers
    Render::I_VertexArray* createVTCArray(int size, bool isStatic) override;
    Render::I_VertexArray* createVertexArray(int size, bool isStatic) override;
    Render::I_VertexArray* createTexturedQuadVA(const Render::TexturedQuad& quad,
                                                bool isStatic) override;
    Render::I_VertexArray* createTexturedQuadVA(const Render::TexturedQuadZTx& quad,
                                                bool isStatic) override;
    Render::I_VertexArray* createAttrArray(int size, bool isStatic) override;
    Render::I_VertexArray* createSpriteShaderArray(int size, bool isStatic) override;
    Render::I_RenderBuffer* createRenderBuffer(int width, int height,
                                               Render::I_RenderBuffer::RBType type,
                                               MatSys::I_Texture* texture, int layer) override;
    Render::I_PixelBuffer* createPixelBuffer(int size, Render::BufferDataType usage) override;

    // Effects
    void doClear(const Util::RGBA& color) override;
    void setColor(const Util::RGBA& color) override;
    void setCulling(bool on) override;
    void setBlending(bool on) override;
    void setDepthTest(bool on) override;
    void setDepthMask(bool on) override;
    void setColorMask(bool on) override;
    void setColorMask(bool red, bool green, bool blue, bool alpha) override;
    void setAlphaTest(bool on) override;
    void setAlphaFunc(float ref, bool greater) override;
    void setFog(bool on) override;
    void setFogParams(float start, float end, const Util::RGBA& color) override;
    void beginClipDraw(bool clear) override;
    void endClipDraw() override;
    void setClipping(bool on, int level) override;

    // Applies the view data's swap interval through the window layer's installed
    // function (Render/OGL/SwapInterval.h): 1 when vsync is nonzero, else 0. With no
    // function installed it changes nothing.
    virtual void setVsync();
    // Applies the view data's viewport rectangle.
    virtual void setViewport() const;

private:
    int detectAbility(int id) const;

    Render::ViewData viewData;
    std::vector<Render::ViewData> viewDataStack;
    std::unique_ptr<Render::I_RenderQueue> renderQueue;  // owned
    std::vector<MathStuff::Orientation<float>> cameraStack;
    MathStuff::Orientation<float> camera;
    bool overrideSet[Render::ABILITY_COUNT];
    int overrideValue[Render::ABILITY_COUNT];
};

}  // namespace OGL
}  // namespace Render
