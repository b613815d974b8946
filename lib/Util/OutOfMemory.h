#pragma once

#include <new>  // std::bad_alloc, which callers catch
#include <string>

namespace Util {

// Ends the process through the fatal report "Out of memory while loading <kind> <name>"
// (for example "Out of memory while loading configuration file quorlith.cfg").
//
// The loaders of configuration, definition, font and image files catch std::bad_alloc at
// their entry points and call this, so that running out of memory while loading names
// what was being loaded instead of ending in "terminate called". The innermost entry
// point names its file. A reserve of memory set aside when the program starts is given
// back first, so that the report can still be written.
[[noreturn]] void reportOutOfMemory(const char* kind, const std::string& name);

}  // namespace Util
