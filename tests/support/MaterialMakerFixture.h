#pragma once

#include <gtest/gtest.h>

#include "MatSys/MaterialMaker.h"
#include "MatSys/ShaderProgramStore.h"
#include "MatSys/TextureStore.h"
#include "support/FakeShaderProgram.h"
#include "support/FakeTexture.h"
#include "support/Journal.h"
#include "support/TempDir.h"

namespace TestSupport {

// A material maker reading definition files from a fresh temporary directory, with
// fake programs and textures that write their bindings into one journal. Only the
// texture names listed in textureMaker.files exist.
class MaterialMakerFixture : public ::testing::Test {
protected:
    MaterialMakerFixture()
        : programMaker(journal),
          programs(&programMaker),
          textureMaker(journal),
          textures(&textureMaker),
          maker(&programs, &textures, dir.path()) {}

    TempDir dir;
    Journal journal;
    FakeProgramMaker programMaker;
    MatSys::ShaderProgramStore programs;
    FakeTextureMaker textureMaker;
    MatSys::TextureStore textures;
    MatSys::MaterialMaker maker;
};

}  // namespace TestSupport
