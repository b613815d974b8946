#pragma once

#include <memory>
#include <string>

#include "SprSys/AnimFrame.h"
#include "Util/NamePtrStore.h"

namespace SprSys {

// Animation frames by name. The store owns the frames it holds. Looking up a name it
// does not hold gives the default frame (cell 0, no shift, no mirror, no rotation,
// scale 1), one static frame shared by every store and owned by none; never null.
class AnimFrameStore {
public:
    AnimFrameStore();
    virtual ~AnimFrameStore();

    AnimFrame* get(const std::string& name) const;
    // Takes the frame unless the name is taken: then the held frame is returned and
    // the caller keeps (and must delete) its own.
    AnimFrame* add(const std::string& name, AnimFrame* frame);
    bool exists(const std::string& name) const;

    // The frame every failed lookup yields.
    static AnimFrame* getDefaultFrame();

private:
    std::unique_ptr<Util::NamePtrStore<AnimFrame>> impl;
};

}  // namespace SprSys
