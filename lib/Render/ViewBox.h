#pragma once

namespace Render {

// A rectangle in window pixels: a view's area, and the area a 2-D projection covers.
struct ViewBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

}  // namespace Render
