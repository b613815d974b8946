#pragma once

#include <string>

// Path handling splits at "/" only; a backslash is an ordinary character.
namespace Files::Directory {

constexpr char SEP = '/';

// Everything before the last "/" with "/" appended ('a/b/c.cfg' -> 'a/b/', '/x' -> '/'),
// or "./" when the path has no "/".
std::string dirname(const std::string& path);

// Everything after the last "/" ('a/' -> ''); a path without "/" is returned unchanged.
std::string basename(const std::string& path);

}  // namespace Files::Directory
