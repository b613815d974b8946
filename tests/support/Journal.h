#pragma once

#include <string>
#include <vector>

namespace TestSupport {

// What fakes did, one line per call, in call order: several fakes share one journal
// so a test can check the order of calls across them.
using Journal = std::vector<std::string>;

}  // namespace TestSupport
