#pragma once

#include <string>
#include <vector>

#include "MatSys/I_TextureMaker.h"
#include "MatSys/TextureStore.h"
#include "SprSys/Fakes.h"

namespace SprTest {

// Makes a fake texture of a fixed size for every name except those in `missing`,
// and remembers the names it was asked for.
class FakeTextureMaker : public MatSys::I_TextureMaker {
public:
    FakeTextureMaker(int w, int h) : width(w), height(h) {}

    MatSys::I_Texture* create(const std::string& name, unsigned char*, unsigned, unsigned, unsigned,
                              unsigned) override {
        return create(name);
    }
    MatSys::I_Texture* create(const std::string& name) override {
        requested.push_back(name);
        for (const auto& absent : missing) {
            if (absent == name) {
                return nullptr;
            }
        }
        return new FakeTexture(width, height);
    }

    int width;
    int height;
    std::vector<std::string> missing;
    std::vector<std::string> requested;
};

}  // namespace SprTest
