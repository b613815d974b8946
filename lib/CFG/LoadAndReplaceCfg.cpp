#include "CFG/LoadAndReplaceCfg.h"

#include <new>

#include "CFG/Info.h"
#include "Files/TextFile.h"
#include "Util/FatalReport.h"
#include "Util/OutOfMemory.h"

namespace Files::TextFile {

bool loadAndReplaceCfg(const CFG::Info& config, const std::string& fileName, std::string& output,
                       const std::string& lineEnding) try {
    if (size(fileName) > kMaxReplacedFileBytes) {
        QUORLITH_FATAL("Text file " << fileName << " is larger than " << kMaxReplacedFileBytes
                                    << " bytes");
    }
    std::string loaded;
    if (!load(fileName, loaded, lineEnding)) {
        return false;
    }
    output = config.replaceKeys(loaded);
    return true;
} catch (const std::bad_alloc&) {
    Util::reportOutOfMemory("text file", fileName);
}

}  // namespace Files::TextFile
