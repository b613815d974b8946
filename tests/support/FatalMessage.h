#pragma once

#include <functional>
#include <string>

namespace TestSupport {

// Runs work with a fatal-report hook that throws, so that a report does not end the
// test: returns the report's message, or the empty string when work reported nothing.
// The hook is removed again afterwards.
std::string fatalMessageOf(const std::function<void()>& work);

}  // namespace TestSupport
