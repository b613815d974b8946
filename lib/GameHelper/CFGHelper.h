#pragma once

#include <string>

namespace SprSys {
class AnimFrameStore;
}

namespace GameHelper {

// Readers that fill engine objects from configuration files.
class CFGHelper {
public:
    // Reads every top-level key of the file that begins with prefix, in ascending key
    // order, as an animation frame and adds it to the store under the whole key. A name
    // the store already holds keeps its earlier frame. A missing file adds nothing.
    static void populateAnimFrameStore(SprSys::AnimFrameStore* store, const std::string& fileName,
                                       const std::string& prefix);
};

}  // namespace GameHelper
