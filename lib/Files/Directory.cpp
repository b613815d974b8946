#include "Files/Directory.h"

namespace Files::Directory {

std::string dirname(const std::string& path) {
    size_t last = path.rfind(SEP);
    if (last == std::string::npos) {
        return std::string(".") + SEP;
    }
    return path.substr(0, last) + SEP;
}

std::string basename(const std::string& path) {
    size_t last = path.rfind(SEP);
    return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace Files::Directory
