#include "Files/TextFile.h"

#include <filesystem>
#include <fstream>

namespace Files::TextFile {

size_t size(const std::string& fileName) {
    // Only regular files have a length to read: a directory would report a huge
    // position and a FIFO would block the reader.
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        return 0;
    }
    std::ifstream file(fileName, std::ios::in | std::ios::binary | std::ios::ate);
    if (!file) {
        return 0;
    }
    std::streamoff end = file.tellg();
    return end > 0 ? static_cast<size_t>(end) : 0;
}

bool load(const std::string& fileName, std::string& output, const std::string& lineEnding) {
    size_t length = size(fileName);
    if (length == 0) {
        return false;
    }
    output.reserve(output.size() + length);
    std::ifstream file(fileName);
    std::string line;
    while (file) {
        // A read that finds nothing (the end of the file) counts as one empty line.
        line.clear();
        std::getline(file, line);
        output += line;
        output += line.empty() ? std::string("\n") : lineEnding;
    }
    return true;
}

}  // namespace Files::TextFile
