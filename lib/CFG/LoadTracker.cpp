#include "CFG/LoadTracker.h"

#include <sys/stat.h>

#include <algorithm>

#include "Util/FatalReport.h"

namespace CFG {

LoadTracker::Scope::Scope(LoadTracker& tracker, const std::string& fileName) : tracker(tracker) {
    entered = tracker.enter(fileName);
}

LoadTracker::Scope::~Scope() {
    if (entered) {
        tracker.leave();
    }
}

bool LoadTracker::enter(const std::string& fileName) {
    struct stat status;
    if (active.size() >= kMaxDepth || ::stat(fileName.c_str(), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return false;
    }
    const Identity identity{status.st_dev, status.st_ino};
    if (isActive(identity)) {
        return false;
    }
    if (active.empty()) {
        outermost = fileName;
        filesLoaded = 0;
        bytesLoaded = 0;
    }
    charge(fileName, static_cast<size_t>(status.st_size));
    active.push_back(identity);
    return true;
}

bool LoadTracker::isActive(const Identity& identity) const {
    return std::any_of(active.begin(), active.end(), [&](const Identity& other) {
        return other.device == identity.device && other.inode == identity.inode;
    });
}

void LoadTracker::charge(const std::string& fileName, size_t bytes) {
    if (++filesLoaded > kMaxFiles) {
        QUORLITH_FATAL("Loading " << outermost << " reads more than " << kMaxFiles
                                  << " configuration files (at " << fileName << ")");
    }
    if (bytes > kMaxBytes - bytesLoaded) {
        QUORLITH_FATAL("Loading " << outermost << " reads more than " << kMaxBytes
                                  << " bytes of configuration files (at " << fileName << ")");
    }
    bytesLoaded += bytes;
}

}  // namespace CFG
