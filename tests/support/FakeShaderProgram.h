#pragma once

#include <set>
#include <string>
#include <vector>

#include "MatSys/I_ShaderProgram.h"
#include "MatSys/I_ShaderProgramMaker.h"
#include "MatSys/ShaderParams.h"
#include "support/Journal.h"

// Shader programs that write what is done to them into a shared journal, so the
// material system's own logic can be tested without an OpenGL context.
namespace TestSupport {

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
    MatSys::I_ShaderProgram* create(const std::string& name,
                                    const MatSys::ShaderParams& params) override {
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
        if (refused.count(name))
            return nullptr;
        auto* program = new FakeProgram(name, *journal);
        program->setParams(params);
        return program;
    }
};

}  // namespace TestSupport
