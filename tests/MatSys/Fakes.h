#pragma once

#include <set>
#include <string>
#include <vector>

#include "MatSys/I_ShaderProgram.h"
#include "MatSys/I_ShaderProgramMaker.h"
#include "MatSys/I_Texture.h"
#include "MatSys/I_TextureMaker.h"
#include "MatSys/ShaderParams.h"

// Programs and textures that write what is done to them into a shared journal, so the
// material system's own logic can be tested without an OpenGL context.
namespace TestSupport {

using Journal = std::vector<std::string>;

class FakeProgram : public MatSys::I_ShaderProgram {
public:
    FakeProgram(const std::string& programName, Journal& log) : name(programName), journal(&log) {}
    unsigned getID() const override { return 1; }
    bool beginUsing(const MatSys::ShaderParams* params) override {
        lastParams = params ? *params : MatSys::ShaderParams();
        journal->push_back("begin " + name + (params ? " with params" : ""));
        return true;
    }
    void endUsing() override { journal->push_back("end " + name); }
    const MatSys::ShaderParams& getParams() const override { return own; }
    bool setParams(const MatSys::ShaderParams& params) override {
        own = params;
        return true;
    }

    std::string name;
    Journal* journal;
    MatSys::ShaderParams own;
    MatSys::ShaderParams lastParams;
};

// Makes a FakeProgram for every name not in 'refused'; records each call.
class FakeProgramMaker : public MatSys::I_ShaderProgramMaker {
public:
    explicit FakeProgramMaker(Journal& log) : journal(&log) {}
    MatSys::I_ShaderProgram* create(const std::string& name, const MatSys::ShaderParams& params,
                                    const std::vector<std::string>&) override {
        return make("shaders", name, params);
    }
    MatSys::I_ShaderProgram* create(const std::string& name, const MatSys::ShaderParams& params) override {
        return make("name", name, params);
    }
    MatSys::I_ShaderProgram* create(const std::string& name, const MatSys::ShaderParams& params,
                                    const std::string& path) override {
        return make("file " + path, name, params);
    }

    std::set<std::string> refused;
    Journal* journal;

private:
    MatSys::I_ShaderProgram* make(const std::string& how, const std::string& name,
                                  const MatSys::ShaderParams& params) {
        journal->push_back("make " + name + " by " + how);
        if (refused.count(name)) return nullptr;
        auto* program = new FakeProgram(name, *journal);
        program->setParams(params);
        return program;
    }
};

class FakeTexture : public MatSys::I_Texture {
public:
    FakeTexture(const std::string& textureName, Journal& log) : name(textureName), journal(&log) {}
    const unsigned& getID() const override { return id; }
    void getSize(int& w, int& h, int& d) const override { w = h = d = 1; }
    void beginUsing(int unit) const override { journal->push_back("bind " + name + " to " + std::to_string(unit)); }
    void endUsing(int unit) const override { journal->push_back("unbind " + name + " from " + std::to_string(unit)); }
    void update(unsigned char*, int, int, int, int, bool) override {}
    const MatSys::TextureOptions& getOptions() const override { return options; }
    void setOptions(const MatSys::TextureOptions& o) override { options = o; }
    unsigned getImageSize(bool) const override { return 0; }
    void getImage(unsigned char*, bool) const override {}

    std::string name;
    Journal* journal;
    unsigned id = 7;
    MatSys::TextureOptions options;
};

// Makes a FakeTexture for the names in 'files' only.
class FakeTextureMaker : public MatSys::I_TextureMaker {
public:
    explicit FakeTextureMaker(Journal& log) : journal(&log) {}
    MatSys::I_Texture* create(const std::string& name, unsigned char*, unsigned, unsigned, unsigned,
                              unsigned) override {
        return new FakeTexture(name, *journal);
    }
    MatSys::I_Texture* create(const std::string& name) override {
        return files.count(name) ? new FakeTexture(name, *journal) : nullptr;
    }

    std::set<std::string> files;
    Journal* journal;
};

}  // namespace TestSupport
