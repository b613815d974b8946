#include "SprSys/AnimFrameStore.h"

namespace SprSys {

AnimFrame* AnimFrameStore::getDefaultFrame() {
    static AnimFrame l_dummyFrame;
    return &l_dummyFrame;
}

AnimFrameStore::AnimFrameStore()
    : impl(std::make_unique<Util::NamePtrStore<AnimFrame>>("AnimFrameStore", getDefaultFrame())) {}

AnimFrameStore::~AnimFrameStore() = default;

AnimFrame* AnimFrameStore::get(const std::string& name) const {
    return impl->get(name);
}

AnimFrame* AnimFrameStore::add(const std::string& name, AnimFrame* frame) {
    return impl->add(name, frame);
}

bool AnimFrameStore::exists(const std::string& name) const {
    return impl->exists(name);
}

}  // namespace SprSys
