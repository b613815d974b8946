#include "MatSys/OGL/ShaderMaker.h"

#include "Render/OGL/GL.h"

#include <memory>

#include "CFG/Global.h"
#include "CFG/Info.h"
#include "CFG/LoadAndReplaceCfg.h"
#include "MatSys/OGL/Shader.h"
#include "Util/FatalReport.h"
#include "Util/OutOfMemory.h"
#include "Util/Strings.h"

namespace MatSys::OGL {

namespace {

constexpr const char* kDefinitionExt = ".shader";

// name without its last "." and what follows; unchanged when it has no ".".
std::string withoutExtension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

ShaderMaker::ShaderMaker(const std::string& dir)
    : typeMappings{{".VS", GL_VERTEX_SHADER}, {".FS", GL_FRAGMENT_SHADER}} {
    setLoadDir(dir);
}

void ShaderMaker::setLoadDir(const std::string& dir) {
    loadDir = dir;
    if (!loadDir.empty() && !Util::endswith(loadDir, "/")) {
        loadDir += "/";
    }
}

void ShaderMaker::defineTypeMappings(const std::vector<std::pair<std::string, int> >& mappings) {
    typeMappings = mappings;
}

int ShaderMaker::nameToType(const std::string& name) const {
    for (const auto& mapping : typeMappings) {
        if (Util::endswith(name, mapping.first)) {
            return mapping.second;
        }
    }
    return 0;
}

void ShaderMaker::getTypeStrings(std::vector<std::string>& out) const {
    for (const auto& mapping : typeMappings) {
        out.push_back(mapping.first);
    }
}

I_Shader* ShaderMaker::create(const std::string& name) {
    if (Util::endswith(name, ".glsl")) {
        return create(withoutExtension(name), std::string(), std::vector<std::string>{name});
    }
    if (Util::endswith(name, kDefinitionExt)) {
        return create(withoutExtension(name), loadDir + name);
    }
    return nullptr;
}

// A definition without keys for the name falls back to the name as a file name, and a
// name ending in ".shader" names the next definition file to read. That chain is walked
// here in a loop, each step removing one suffix, and it ends after kMaxDefinitionChain
// files: a name of thousands of ".shader" suffixes would otherwise recurse that deep
// and copy the long name at every step.
I_Shader* ShaderMaker::create(const std::string& name, const std::string& path) try {
    std::string shaderName = name;
    std::string definitionPath = path;
    for (int step = 0;; ++step) {
        CFG::Info definition(definitionPath, CFG::getDefaultOverrides());
        std::string code = definition.get(shaderName + "_CODE");
        std::string fileKey = shaderName + "_FILES";
        std::string fileList = definition.get(fileKey);
        if (code.empty() && fileList.empty()) {
            code = definition.get("CODE");
            fileKey = "FILES";
            fileList = definition.get(fileKey);
        }
        std::vector<std::string> files;
        Util::splitString(fileList, " ", files, false, true);
        if (files.size() > kMaxSourceFiles) {
            QUORLITH_FATAL("Shader " << shaderName << " in " << definitionPath << ": " << fileKey
                                     << " names " << files.size() << " files, more than "
                                     << kMaxSourceFiles);
        }
        if (!code.empty() || !files.empty()) {
            return create(shaderName, code, files);
        }
        if (!Util::endswith(shaderName, kDefinitionExt)) {
            return create(shaderName);  // a ".glsl" name, or null
        }
        if (step + 1 >= kMaxDefinitionChain) {
            return nullptr;
        }
        definitionPath = loadDir + shaderName;
        shaderName = withoutExtension(shaderName);
    }
} catch (const std::bad_alloc&) {
    Util::reportOutOfMemory("shader definition file", path);
}

I_Shader* ShaderMaker::create(const std::string& name, const std::string& code,
                              const std::vector<std::string>& files) {
    int type = nameToType(name);
    if (type == 0 || (code.empty() && files.empty())) {
        return nullptr;
    }
    std::vector<std::string> sources;
    if (!code.empty()) {
        sources.push_back(code);
    }
    for (const std::string& file : files) {
        std::string text;
        if (!Files::TextFile::loadAndReplaceCfg(*CFG::global(), loadDir + file, text, "\n")) {
            return nullptr;
        }
        if (!text.empty()) {
            sources.push_back(text);
        }
    }
    std::unique_ptr<Shader> shader = std::make_unique<Shader>(unsigned(type), sources);
    std::string log;
    if (!shader->compile(log)) {
        return nullptr;
    }
    return shader.release();
}

}  // namespace MatSys::OGL
