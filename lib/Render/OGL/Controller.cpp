#include "Render/OGL/Controller.h"

#include "Render/OGL/GL.h"
// GLU after the GL header.
#include <GL/glu.h>

#include <algorithm>
#include <iterator>

#include "MathStuff/Matrix4x4.h"
#include "Render/OGL/AttributeArray.h"
#include "Render/OGL/GLErrors.h"
#include "Render/OGL/PixelBufferObject.h"
#include "Render/OGL/RenderBuffer.h"
#include "Render/OGL/RenderQueue.h"
#include "Render/OGL/SwapInterval.h"
#include "Render/OGL/VertexArray.h"
#include "Render/OGL/VertexBufferObject.h"

namespace Render {
namespace OGL {

namespace {

constexpr int kNoAbility = -1;
constexpr int kPositionFloats = 3;
constexpr int kColorFloats = 4;
constexpr int kTexCoords2D = 2;
constexpr int kTexCoords3D = 3;
constexpr float kPercent = 100.0f;
constexpr double kDefaultOrthoNear = -1.0;
constexpr GLuint kAllBits = ~0u;

// The OpenGL primitive of a RenderType; false for a value outside 0..5.
bool primitiveOf(Render::RenderType type, GLenum& mode) {
    switch (type) {
        case Render::RT_POINTS:
            mode = GL_POINTS;
            return true;
        case Render::RT_LINES:
            mode = GL_LINES;
            return true;
        case Render::RT_TRIANGLES:
            mode = GL_TRIANGLES;
            return true;
        case Render::RT_QUADS:
            mode = GL_QUADS;
            return true;
        case Render::RT_TRIANGLE_STRIP:
            mode = GL_TRIANGLE_STRIP;
            return true;
        case Render::RT_TRIANGLE_FAN:
            mode = GL_TRIANGLE_FAN;
            return true;
    }
    return false;
}

GLenum pixelBufferUsage(Render::BufferDataType usage) {
    switch (usage) {
        case Render::BDT_STATIC_DRAW:
            return GL_STATIC_DRAW;
        case Render::BDT_DYNAMIC_DRAW:
            return GL_DYNAMIC_DRAW;
        case Render::BDT_DYNAMIC_COPY:
            return GL_DYNAMIC_COPY;
        case Render::BDT_DYNAMIC_READ:
            break;
    }
    return GL_DYNAMIC_READ;
}

int hasExtension(const char* name) {
    return hasGLExtension(name) ? 1 : 0;
}

int glInteger(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

float channel(unsigned char value) {
    return static_cast<float>(value) / 255.0f;
}

MathStuff::Orientation<float> defaultCamera() {
    MathStuff::Orientation<float> camera;
    camera.pos = MathStuff::Vector3<float>(0.0f, 0.0f, 0.0f);
    camera.dir = MathStuff::Vector3<float>(0.0f, 0.0f, 1.0f);
    camera.up = MathStuff::Vector3<float>(0.0f, 1.0f, 0.0f);
    camera.scale = MathStuff::Vector3<float>(1.0f, 1.0f, 1.0f);
    return camera;
}

// The modelview and projection matrices and the viewport, for GLU's projections.
struct Transform {
    GLdouble model[16];
    GLdouble projection[16];
    GLint viewport[4];
};

void readMatrix(GLenum name, GLdouble* matrix) {
#if QUORLITH_DESKTOP_GL
    glGetDoublev(name, matrix);
#else
    // The browser keeps its matrices in single precision.
    GLfloat single[16] = {};
    glGetFloatv(name, single);
    std::copy(std::begin(single), std::end(single), matrix);
#endif
}

Transform currentTransform() {
    Transform t{};
    readMatrix(GL_MODELVIEW_MATRIX, t.model);
    readMatrix(GL_PROJECTION_MATRIX, t.projection);
    glGetIntegerv(GL_VIEWPORT, t.viewport);
    return t;
}

}  // namespace

Controller::Controller(const Render::ViewData& viewData)
    : viewData(viewData), camera(defaultCamera()), overrideSet(), overrideValue() {
    renderQueue.reset(new RenderQueue());
}

Controller::~Controller() = default;

// ----- Abilities

int Controller::detectAbility(int id) const {
    switch (id) {
        case Render::ABILITY_HAVE_SHADERS:
            return hasExtension("GL_ARB_shader_objects");
        case Render::ABILITY_HAVE_NPOT_TEXTURES:
            return hasExtension("GL_ARB_texture_non_power_of_two");
        case Render::ABILITY_HAVE_RTT:
        case Render::ABILITY_HAVE_FBOS:
            return hasExtension("GL_EXT_framebuffer_object");
        case Render::ABILITY_HAVE_VBOS:
            return VertexBufferObject::VBOsSupported() ? 1 : 0;
        case Render::ABILITY_HAVE_PBOS:
            return hasExtension("GL_EXT_pixel_buffer_object");
        case Render::ABILITY_HAVE_FRAME_BLIT:
            return hasExtension("GL_EXT_framebuffer_blit");
        case Render::ABILITY_HAVE_FLOAT_TEX:
            return hasExtension("GL_ARB_texture_float");
        case Render::ABILITY_MAX_TEXTURE_SIZE_2D:
            return glInteger(GL_MAX_TEXTURE_SIZE);
        case Render::ABILITY_MAX_TEXTURE_SIZE_3D:
            // WebGL 1 has no 3-D textures, and asking for their limit is an error there.
            return QUORLITH_DESKTOP_GL ? glInteger(GL_MAX_3D_TEXTURE_SIZE) : 0;
        case Render::ABILITY_MAX_RTT_SIZE:
        case Render::ABILITY_MAX_FBO_SIZE:
        case Render::ABILITY_MAX_PBO_SIZE:
            return glInteger(GL_MAX_RENDERBUFFER_SIZE);
        default:
            return kNoAbility;
    }
}

// An override answers without asking OpenGL; everything else is detected anew on
// every call.
int Controller::getAbility(int id) {
    if (static_cast<unsigned>(id) >= static_cast<unsigned>(Render::ABILITY_COUNT)) {
        return kNoAbility;
    }
    if (overrideSet[id]) {
        return overrideValue[id];
    }
    return detectAbility(id);
}

void Controller::setAbility(int id, int value) {
    if (static_cast<unsigned>(id) >= static_cast<unsigned>(Render::ABILITY_COUNT)) {
        return;
    }
    overrideSet[id] = true;
    overrideValue[id] = value;
}

// ----- Life cycle, view data and camera

void Controller::init() {
    setVsync();
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
}

void Controller::setVsync() {
    setSwapInterval(viewData.vsync != 0 ? 1 : 0);
}

void Controller::setViewport() const {
    glViewport(viewData.x, viewData.y, viewData.width, viewData.height);
}

void Controller::setViewData(const Render::ViewData& v) {
    // Fields at their 'keep' value leave the current ones.
    bool viewportGiven = false;
    if (v.fov != 0.0f) {
        viewData.fov = v.fov;
    }
    if (v.x != -1) {
        viewData.x = v.x;
        viewportGiven = true;
    }
    if (v.y != -1) {
        viewData.y = v.y;
        viewportGiven = true;
    }
    if (v.width != 0) {
        viewData.width = v.width;
        viewportGiven = true;
    }
    if (v.height != 0) {
        viewData.height = v.height;
        viewportGiven = true;
    }
    if (v.minZ != 0.0f) {
        viewData.minZ = v.minZ;
    }
    if (v.maxZ != 0.0f) {
        viewData.maxZ = v.maxZ;
    }
    if (v.scaleX != 0.0f) {
        viewData.scaleX = v.scaleX;
    }
    if (v.scaleY != 0.0f) {
        viewData.scaleY = v.scaleY;
    }
    if (v.vsync != -1) {
        viewData.vsync = v.vsync;
        setVsync();
    }
    if (viewportGiven) {
        setViewport();
    }
    viewData.is3D = v.is3D;

    // The projection matrix stays selected; setCamera selects the modelview again.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (viewData.is3D) {
        double aspect = static_cast<double>(viewData.width) / static_cast<double>(viewData.height);
        gluPerspective(viewData.fov * viewData.scaleX, aspect, viewData.minZ, viewData.maxZ);
        glEnable(GL_DEPTH_TEST);
    } else {
        // Scales above 1 widen the visible area about the centre of the viewport.
        double w = viewData.width;
        double h = viewData.height;
        double sx = viewData.scaleX;
        double sy = viewData.scaleY;
        double nearValue = v.minZ != 0.0f ? static_cast<double>(v.minZ) : kDefaultOrthoNear;
        glOrtho(w - w * sx, w * sx, h - h * sy, h * sy, nearValue, viewData.maxZ);
        glDisable(GL_DEPTH_TEST);
    }
}

const Render::ViewData& Controller::getViewData() const {
    return viewData;
}

void Controller::pushViewData() {
    viewDataStack.push_back(viewData);
}

void Controller::popViewData() {
    if (viewDataStack.empty()) {
        return;
    }
    Render::ViewData saved = viewDataStack.back();
    setViewData(saved);
    viewDataStack.pop_back();
}

// The view matrix: rows dir x up, up and -dir (a look-at basis along dir, used as
// given), then the translation by -pos. The camera's scale plays no part.
void Controller::setCamera(const MathStuff::Orientation<float>& newCamera) {
    camera = newCamera;
    const MathStuff::Vector3<float>& dir = camera.dir;
    const MathStuff::Vector3<float>& up = camera.up;
    MathStuff::Vector3<float> side = dir.cross(up);

    MathStuff::Matrix4x4<float> view;
    const MathStuff::Vector3<float> rows[3] = {side, up, dir * -1.0f};
    for (int row = 0; row < 3; ++row) {
        view.at(row, 0) = rows[row].x;
        view.at(row, 1) = rows[row].y;
        view.at(row, 2) = rows[row].z;
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixf(view.data());
    glTranslatef(-camera.pos.x, -camera.pos.y, -camera.pos.z);
}

const MathStuff::Orientation<float>& Controller::getCamera() const {
    return camera;
}

void Controller::pushCamera() {
    cameraStack.push_back(camera);
}

void Controller::popCamera() {
    if (cameraStack.empty()) {
        return;
    }
    MathStuff::Orientation<float> saved = cameraStack.back();
    setCamera(saved);
    cameraStack.pop_back();
}

MathStuff::Vector3<float> Controller::projectPoint(MathStuff::Vector3<float> point) const {
    Transform t = currentTransform();
    GLdouble x = 0.0;
    GLdouble y = 0.0;
    GLdouble z = 0.0;
    gluProject(point.x, point.y, point.z, t.model, t.projection, t.viewport, &x, &y, &z);
    return MathStuff::Vector3<float>(static_cast<float>(x), static_cast<float>(y),
                                     static_cast<float>(z));
}

// The near-to-far difference through the window point (y as given, not flipped),
// with y negated and the camera position taken off.
MathStuff::Vector3<float> Controller::getPickRay(int x, int y) const {
    Transform t = currentTransform();
    GLdouble nearX = 0.0, nearY = 0.0, nearZ = 0.0;
    GLdouble farX = 0.0, farY = 0.0, farZ = 0.0;
    gluUnProject(x, y, 0.0, t.model, t.projection, t.viewport, &nearX, &nearY, &nearZ);
    gluUnProject(x, y, 1.0, t.model, t.projection, t.viewport, &farX, &farY, &farZ);
    MathStuff::Vector3<float> d(static_cast<float>(farX) - static_cast<float>(nearX),
                                static_cast<float>(farY) - static_cast<float>(nearY),
                                static_cast<float>(farZ) - static_cast<float>(nearZ));
    const MathStuff::Vector3<float>& pos = camera.pos;
    return MathStuff::Vector3<float>(d.x - pos.x, -d.y - pos.y, d.z - pos.z);
}

// ----- Pixels and drawing

void Controller::blit(int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1,
                      int dstY1) {
    // Without framebuffer blitting there is no entry point to call.
    if (!hasGLExtension("GL_EXT_framebuffer_blit") && glVersion() < 30) {
        return;
    }
#if QUORLITH_DESKTOP_GL
    glBlitFramebuffer(srcX0, srcY0, srcX1, srcY1, dstX0, dstY0, dstX1, dstY1, GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    drainGLErrors();
#else
    static_cast<void>(srcX0), static_cast<void>(srcY0), static_cast<void>(srcX1);
    static_cast<void>(srcY1), static_cast<void>(dstX0), static_cast<void>(dstY0);
    static_cast<void>(dstX1), static_cast<void>(dstY1);
#endif
}

void Controller::drawArrays(Render::RenderType type, int first, unsigned count) {
    GLenum mode = 0;
    if (count == 0 || !primitiveOf(type, mode)) {
        return;
    }
    glDrawArrays(mode, first, static_cast<GLsizei>(count));
}

void Controller::drawElements(Render::RenderType type, unsigned count, unsigned* indices) {
    GLenum mode = 0;
    if (count == 0 || !primitiveOf(type, mode)) {
        return;
    }
    glDrawElements(mode, static_cast<GLsizei>(count), GL_UNSIGNED_INT, indices);
}

Render::I_RenderQueue* Controller::getRenderQueue() {
    return renderQueue.get();
}

void Controller::copyScreen(unsigned char* dest, int x, int y, int width, int height) {
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, dest);
    drainGLErrors();
}

// The raster position is set through a 2 x 2 viewport centred on the pixel, so it
// is valid even outside the current viewport.
void Controller::showScreen(unsigned char* src, int x, int y, int width, int height) {
#if !QUORLITH_DESKTOP_GL
    // The browser cannot draw pixels to the screen: nothing is drawn.
    static_cast<void>(src), static_cast<void>(x), static_cast<void>(y);
    static_cast<void>(width), static_cast<void>(height);
#else
    glPushAttrib(GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDepthRange(1.0, 1.0);
    glViewport(x - 1, y - 1, 2, 2);
    glRasterPos4f(0.0f, 0.0f, 0.0f, 1.0f);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, src);
#endif
}

// ----- Makers

Render::I_VertexArray* Controller::createVertexArray(int size, bool isStatic) {
    if (getAbility(Render::ABILITY_HAVE_VBOS) != 0) {
        VertexBufferObject* vbo =
            new VertexBufferObject(size, isStatic ? GL_STATIC_DRAW : GL_DYNAMIC_DRAW);
        if (vbo->getBufferSize() == size) {
            return vbo;
        }
        delete vbo;
    }
    VertexArray* array = new VertexArray(size);
    if (array->getBufferSize() == size) {
        return array;
    }
    delete array;
    return nullptr;
}

Render::I_VertexArray* Controller::createAttrArray(int size, bool isStatic) {
    Render::I_VertexArray* array = createVertexArray(size, isStatic);
    if (!array) {
        return nullptr;
    }
    // Every array this controller makes is one of its own OpenGL arrays; a derived
    // controller's maker may hand out others, which cannot be wrapped.
    VertexArray* own = dynamic_cast<VertexArray*>(array);
    if (!own) {
        delete array;
        return nullptr;
    }
    return new AttributeArray(own);
}

Render::I_VertexArray* Controller::createVTCArray(int size, bool isStatic) {
    Render::I_VertexArray* array = createVertexArray(size, isStatic);
    if (array) {
        array->defineVertexInfo(kPositionFloats, Render::I_VertexArray::DT_FLOAT);
        array->defineTextureInfo(kTexCoords2D, Render::I_VertexArray::DT_FLOAT);
        array->defineColorInfo(kColorFloats, Render::I_VertexArray::DT_FLOAT);
    }
    return array;
}

Render::I_VertexArray* Controller::createSpriteShaderArray(int size, bool isStatic) {
    Render::I_VertexArray* array = createAttrArray(size, isStatic);
    if (array) {
        array->defineVertexInfo(kPositionFloats, Render::I_VertexArray::DT_FLOAT);
        array->defineTextureInfo(kTexCoords2D, Render::I_VertexArray::DT_FLOAT);
        array->defineColorInfo(kColorFloats, Render::I_VertexArray::DT_FLOAT);
        array->defineAttrInfo(0, 3, Render::I_VertexArray::DT_FLOAT);
        array->defineAttrInfo(1, 3, Render::I_VertexArray::DT_FLOAT);
        array->defineAttrInfo(2, 1, Render::I_VertexArray::DT_FLOAT);
    }
    return array;
}

namespace {

// Position and texture coordinates of textureCount floats, then the quad's bytes.
template <typename Quad>
Render::I_VertexArray* uploadQuad(Render::I_VertexArray* array, const Quad& quad,
                                  int textureCount) {
    if (!array) {
        return nullptr;
    }
    array->defineVertexInfo(kPositionFloats, Render::I_VertexArray::DT_FLOAT);
    array->defineTextureInfo(textureCount, Render::I_VertexArray::DT_FLOAT);
    array->beginUsing();
    array->putData(&quad, static_cast<int>(sizeof(Quad)), 0);
    array->endUsing();
    return array;
}

}  // namespace

Render::I_VertexArray* Controller::createTexturedQuadVA(const Render::TexturedQuad& quad,
                                                        bool isStatic) {
    return uploadQuad(createVertexArray(static_cast<int>(sizeof(quad)), isStatic), quad,
                      kTexCoords2D);
}

Render::I_VertexArray* Controller::createTexturedQuadVA(const Render::TexturedQuadZTx& quad,
                                                        bool isStatic) {
    return uploadQuad(createVertexArray(static_cast<int>(sizeof(quad)), isStatic), quad,
                      kTexCoords3D);
}

Render::I_RenderBuffer* Controller::createRenderBuffer(int width, int height,
                                                       Render::I_RenderBuffer::RBType type,
                                                       MatSys::I_Texture* texture, int layer) {
    RenderBuffer* buffer = new RenderBuffer(width, height, type, texture, layer);
    if (!buffer->isValid()) {
        delete buffer;
        return nullptr;
    }
    return buffer;
}

Render::I_PixelBuffer* Controller::createPixelBuffer(int size, Render::BufferDataType usage) {
    PixelBufferObject* buffer = new PixelBufferObject(size, pixelBufferUsage(usage));
    if (buffer->getBufferSize() != size) {
        delete buffer;
        return nullptr;
    }
    return buffer;
}

// ----- Effects

void Controller::doClear(const Util::RGBA& color) {
    glClearColor(channel(color.r), channel(color.g), channel(color.b), channel(color.a));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Controller::setColor(const Util::RGBA& color) {
    glColor4ub(color.r, color.g, color.b, color.a);
}

namespace {
void enableIf(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}
}  // namespace

void Controller::setCulling(bool on) {
    enableIf(GL_CULL_FACE, on);
}

void Controller::setBlending(bool on) {
    enableIf(GL_BLEND, on);
    enableIf(GL_ALPHA_TEST, on);
    if (on) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
}

void Controller::setDepthTest(bool on) {
    enableIf(GL_DEPTH_TEST, on);
}

void Controller::setDepthMask(bool on) {
    glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void Controller::setColorMask(bool on) {
    setColorMask(on, on, on, on);
}

void Controller::setColorMask(bool red, bool green, bool blue, bool alpha) {
    glColorMask(red ? GL_TRUE : GL_FALSE, green ? GL_TRUE : GL_FALSE, blue ? GL_TRUE : GL_FALSE,
                alpha ? GL_TRUE : GL_FALSE);
}

void Controller::setAlphaTest(bool on) {
    enableIf(GL_ALPHA_TEST, on);
}

void Controller::setAlphaFunc(float ref, bool greater) {
    glAlphaFunc(greater ? GL_GREATER : GL_LESS, ref);
}

void Controller::setFog(bool on) {
    enableIf(GL_FOG, on);
}

void Controller::setFogParams(float start, float end, const Util::RGBA& color) {
    const GLfloat fogColor[4] = {channel(color.r), channel(color.g), channel(color.b),
                                 channel(color.a)};
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogf(GL_FOG_START, viewData.maxZ * start / kPercent);
    glFogf(GL_FOG_END, viewData.maxZ * end / kPercent);
    glFogi(GL_FOG_MODE, GL_LINEAR);
}

// Clip shapes fail the stencil test, so they reach neither colour nor depth, and
// add one to the stencil count of every pixel they cover.
void Controller::beginClipDraw(bool clear) {
    glEnable(GL_STENCIL_TEST);
    if (clear) {
        glClearStencil(0);
        glClear(GL_STENCIL_BUFFER_BIT);
    }
    glStencilFunc(GL_NEVER, 0, 0);
    glStencilOp(GL_INCR, GL_INCR, GL_INCR);
}

void Controller::endClipDraw() {
    glDisable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

// A level >= 0 passes pixels covered exactly that often; a level < 0 passes pixels
// whose count is not ~level (-1: covered at all, -2: not covered exactly once).
void Controller::setClipping(bool on, int level) {
    if (!on) {
        glDisable(GL_STENCIL_TEST);
        return;
    }
    glEnable(GL_STENCIL_TEST);
    if (level >= 0) {
        glStencilFunc(GL_EQUAL, level, kAllBits);
    } else {
        glStencilFunc(GL_NOTEQUAL, ~level, kAllBits);
    }
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

}  // namespace OGL
}  // namespace Render
