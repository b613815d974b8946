#include "support/GLTest.h"

using TestSupport::GLTest;

TEST_F(GLTest, ClearsAndDrawsAQuadThatReadsBack) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2i(100, 100);
    glVertex2i(200, 100);
    glVertex2i(200, 150);
    glVertex2i(100, 150);
    glEnd();
    glFinish();

    EXPECT_EQ(pixelAt(150, 125), (std::vector<unsigned char>{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(99, 125), (std::vector<unsigned char>{0, 0, 255, 255}));
    EXPECT_EQ(pixelAt(150, 150), (std::vector<unsigned char>{0, 0, 255, 255}));
    EXPECT_EQ(pixelAt(199, 149), (std::vector<unsigned char>{255, 0, 0, 255}));
}
