#include "GameHelper/CFGHelper.h"

#include <vector>

#include "CFG/Global.h"
#include "CFG/Info.h"
#include "SprSys/AnimFrame.h"
#include "SprSys/AnimFrameStore.h"
#include "Util/Strings.h"

namespace GameHelper {

void CFGHelper::populateAnimFrameStore(SprSys::AnimFrameStore* store, const std::string& fileName,
                                       const std::string& prefix) {
    CFG::Info config(fileName, CFG::getDefaultOverrides());
    std::vector<std::string> keys;
    config.keys(keys);
    for (const std::string& key : keys) {
        if (!Util::startswith(key, prefix)) {
            continue;
        }
        auto* frame = new SprSys::AnimFrame(config.get(key));
        if (store->add(key, frame) != frame) {
            delete frame;  // the name was taken: the earlier frame stays
        }
    }
}

}  // namespace GameHelper
