#include "MatSys/OGL/Color.h"

#include <gtest/gtest.h>

#include <memory>

#include "MatSys/I_Color.h"

namespace {

TEST(Color, StartsBlackAndTransparentOrCopiesTheGivenColour) {
    MatSys::OGL::ColorMaker maker;
    std::unique_ptr<MatSys::I_Color> none(maker.create());
    EXPECT_EQ(none->RGBA(), Util::RGBA());
    Util::RGBA orange{255, 128, 0, 255};
    std::unique_ptr<MatSys::I_Color> made(maker.create(orange));
    EXPECT_EQ(made->RGBA(), orange);
    made->RGBA().g = 1;
    EXPECT_EQ(static_cast<const MatSys::I_Color&>(*made).RGBA().g, 1);
}

}  // namespace
