#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace CFG {

// The files being loaded into one configuration, inside one another, and the work done
// by the outermost load. Files are told apart by what they are (device and inode), so
// 'a.cfg', './a.cfg', 'dir/../a.cfg' and a link to it are one file.
//
// A file already being loaded (a file that includes itself, directly or through other
// files or companions) is not loaded again, and neither is one nested deeper than
// kMaxDepth. Every file loaded counts towards the outermost load, also when the same
// file is loaded again later (a file included twice is read twice); more than
// kMaxFiles files or kMaxBytes bytes end the process through the fatal report, naming
// the outermost file, the limit and the file that passed it.
class LoadTracker {
public:
    static constexpr size_t kMaxDepth = 32;
    static constexpr size_t kMaxFiles = 1024;
    static constexpr size_t kMaxBytes = size_t(16) << 20;

    // Marks fileName as being loaded for as long as the scope lives, when it may be.
    class Scope {
    public:
        Scope(LoadTracker& tracker, const std::string& fileName);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        // False when the file is missing, not a regular file, already being loaded or
        // nested too deeply: it is not to be read then.
        bool admitted() const { return entered; }

    private:
        LoadTracker& tracker;
        bool entered = false;
    };

private:
    struct Identity {
        dev_t device;
        ino_t inode;
    };

    bool enter(const std::string& fileName);
    void leave() { active.pop_back(); }
    bool isActive(const Identity& identity) const;
    void charge(const std::string& fileName, size_t bytes);

    std::vector<Identity> active;  // files being loaded, outermost first
    std::string outermost;         // the file the current outermost load started with
    size_t filesLoaded = 0;        // by the current outermost load
    size_t bytesLoaded = 0;
};

}  // namespace CFG
