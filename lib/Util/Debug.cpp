#include "Util/Debug.h"

#include <iostream>

namespace Util {

Debug::Debug() : outStream(&std::cout), errStream(&std::cerr) {}

void Debug::setErrorStream(std::ostream* stream) {
    errStream = stream ? stream : &std::cerr;
}

}  // namespace Util
