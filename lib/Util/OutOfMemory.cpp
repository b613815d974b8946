#include "Util/OutOfMemory.h"

#include <cstdlib>

#include "Util/FatalReport.h"

namespace Util {

namespace {

// Enough for building and writing the report when nothing else can be allocated.
constexpr size_t kReserveBytes = 64 * 1024;

void* l_reserve = std::malloc(kReserveBytes);

}  // namespace

void reportOutOfMemory(const char* kind, const std::string& name) {
    std::free(l_reserve);
    l_reserve = nullptr;
    QUORLITH_FATAL("Out of memory while loading " << kind << " " << name);
}

}  // namespace Util
