#pragma once

#include <string>

namespace TestSupport {

// A fresh directory below the system's temporary folder, removed with everything in
// it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    // path()/name
    std::string file(const std::string& name) const;
    // Writes content (bytes as given) to path()/name, creating subfolders; returns the path.
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string root;
};

// Runs a command through the shell; returns its exit status (or -1) and fills output
// with what it printed on standard output.
int runCommand(const std::string& command, std::string& output);

}  // namespace TestSupport
