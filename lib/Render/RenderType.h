#pragma once

namespace Render {

// Primitive kinds of the controller's drawArrays and drawElements. Any int may be
// passed; values outside 0..5 draw nothing.
enum RenderType : int {
    RT_POINTS = 0,
    RT_LINES = 1,
    RT_TRIANGLES = 2,
    RT_QUADS = 3,
    RT_TRIANGLE_STRIP = 4,
    RT_TRIANGLE_FAN = 5
};

// Usage of a pixel buffer made by createPixelBuffer. Any int may be passed;
// values outside 0..3 are taken as BDT_DYNAMIC_READ.
enum BufferDataType : int {
    BDT_STATIC_DRAW = 0,
    BDT_DYNAMIC_DRAW = 1,
    BDT_DYNAMIC_READ = 2,
    BDT_DYNAMIC_COPY = 3
};

}  // namespace Render
