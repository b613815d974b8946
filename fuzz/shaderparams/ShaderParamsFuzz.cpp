// Feeds one arbitrary line to ShaderParams::add and checks what the parser promises: at
// most one parameter, named by a trimmed piece without separators, with an array count
// of 0 to 9. A value that is not a number throws std::domain_error by design; any other
// exception or crash is a finding.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "MatSys/ShaderParams.h"

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string line(reinterpret_cast<const char*>(data), size);
    MatSys::ShaderParams params;
    try {
        params.add(line);
    } catch (const std::domain_error&) {
        check(params.size() == 0);
        return 0;
    }
    check(params.size() <= 1);
    std::unique_ptr<MatSys::ShaderParamsIterator> it(params.getIterator());
    for (it->first(); !it->isDone(); it->next()) {
        MatSys::ShaderParam param = it->currentItem();
        check(param.getName().find_first_of(":=") == std::string::npos);
        check(param.getValueText().find_first_of(":=") == std::string::npos);
        check(param.getCount() >= 0 && param.getCount() <= MatSys::ShaderParam::kMaxArrayElements);
        check(params.find(param.getName()).getName() == param.getName());
    }
    // A copy and a merge must agree with the original.
    MatSys::ShaderParams copy(params);
    copy.merge(params);
    check(copy.size() == params.size());
    return 0;
}
