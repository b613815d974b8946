#pragma once

// A texture and a texture maker without OpenGL, so the material, sprite and font code
// can be checked without a context.

#include <set>
#include <string>
#include <vector>

#include "MatSys/I_Texture.h"
#include "MatSys/I_TextureMaker.h"
#include "MatSys/TextureOptions.h"
#include "support/Journal.h"

namespace TestSupport {

// A texture that knows its name and size and records the units it is bound to and
// released from; given a journal, it also writes each binding into it.
class FakeTexture : public MatSys::I_Texture {
public:
    FakeTexture(int w, int h) : width(w), height(h) {}
    FakeTexture(const std::string& textureName, Journal& log) : name(textureName), journal(&log) {}

    const unsigned& getID() const override { return id; }
    void getSize(int& w, int& h, int& d) const override {
        w = width;
        h = height;
        d = depth;
    }
    void beginUsing(int unit) const override {
        boundUnits.push_back(unit);
        if (journal)
            journal->push_back("bind " + name + " to " + std::to_string(unit));
    }
    void endUsing(int unit) const override {
        releasedUnits.push_back(unit);
        if (journal)
            journal->push_back("unbind " + name + " from " + std::to_string(unit));
    }
    void update(unsigned char*, int, int, int, int, bool) override {}
    const MatSys::TextureOptions& getOptions() const override { return options; }
    void setOptions(const MatSys::TextureOptions& newOptions) override { options = newOptions; }
    unsigned getImageSize(bool) const override { return 0; }
    void getImage(unsigned char*, bool) const override {}

    std::string name;
    int width = 1;
    int height = 1;
    int depth = 0;
    Journal* journal = nullptr;
    unsigned id = 7;
    MatSys::TextureOptions options;
    mutable std::vector<int> boundUnits;
    mutable std::vector<int> releasedUnits;
};

// Makes fake textures named after what was asked for and remembers every name asked
// for. Images handed over in memory are always made; a texture from a file is made
// when that file "exists".
class FakeTextureMaker : public MatSys::I_TextureMaker {
public:
    // 1 x 1 textures that write their bindings into log; only the names in `files` exist.
    explicit FakeTextureMaker(Journal& log) : journal(&log), onlyListedFilesExist(true) {}
    // w x h textures; every name exists except those in `missing`.
    FakeTextureMaker(int w, int h) : width(w), height(h) {}

    MatSys::I_Texture* create(const std::string& name, unsigned char*, unsigned, unsigned, unsigned,
                              unsigned) override {
        requested.push_back(name);
        return make(name);
    }
    MatSys::I_Texture* create(const std::string& name) override {
        requested.push_back(name);
        return fileExists(name) ? make(name) : nullptr;
    }

    std::set<std::string> files;
    std::vector<std::string> missing;
    std::vector<std::string> requested;
    Journal* journal = nullptr;
    int width = 1;
    int height = 1;

private:
    bool fileExists(const std::string& name) const {
        if (onlyListedFilesExist)
            return files.count(name) > 0;
        for (const auto& absent : missing) {
            if (absent == name)
                return false;
        }
        return true;
    }
    MatSys::I_Texture* make(const std::string& name) const {
        auto* texture = new FakeTexture(width, height);
        texture->name = name;
        texture->journal = journal;
        return texture;
    }

    bool onlyListedFilesExist = false;
};

}  // namespace TestSupport
