#include "CFG/LoadAndReplaceCfg.h"

#include "CFG/Info.h"
#include "Files/TextFile.h"

namespace Files::TextFile {

bool loadAndReplaceCfg(const CFG::Info& config, const std::string& fileName, std::string& output,
                       const std::string& lineEnding) {
    std::string loaded;
    if (!load(fileName, loaded, lineEnding)) {
        return false;
    }
    output = config.replaceKeys(loaded);
    return true;
}

}  // namespace Files::TextFile
