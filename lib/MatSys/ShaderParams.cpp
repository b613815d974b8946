#include "MatSys/ShaderParams.h"

#include "Util/Strings.h"

namespace MatSys {

namespace {

constexpr const char* kLineSeparators = ":=";
constexpr size_t kLinePieces = 3;

// The pieces between runs of separator characters, each trimmed; a piece that trims to
// nothing is kept, but leading and trailing runs give no piece.
std::vector<std::string> splitAtSeparatorRuns(const std::string& line) {
    std::vector<std::string> pieces;
    size_t start = line.find_first_not_of(kLineSeparators);
    while (start != std::string::npos) {
        size_t end = line.find_first_of(kLineSeparators, start);
        pieces.push_back(
            Util::trim(line.substr(start, end == std::string::npos ? end : end - start)));
        start = end == std::string::npos ? end : line.find_first_not_of(kLineSeparators, end);
    }
    return pieces;
}

}  // namespace

ShaderParams::ShaderParams() : impl(std::make_unique<Impl>()) {}

ShaderParams::ShaderParams(const ShaderParams& other) : impl(std::make_unique<Impl>(*other.impl)) {}

ShaderParams& ShaderParams::operator=(const ShaderParams& other) {
    if (this != &other) {
        impl = std::make_unique<Impl>(*other.impl);
    }
    return *this;
}

ShaderParams::~ShaderParams() = default;

void ShaderParams::add(const ShaderParam& param) {
    impl->add(param.getName(), param);
}

void ShaderParams::add(const std::string& line) {
    std::vector<std::string> pieces = splitAtSeparatorRuns(line);
    if (pieces.size() != kLinePieces) {
        return;
    }
    add(ShaderParam(pieces[0], pieces[1], pieces[2]));
}

void ShaderParams::add(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        add(line);
    }
}

void ShaderParams::merge(const ShaderParams& other) {
    // Copy first: merging a set into itself must not walk a map it is changing.
    Impl::Map theirs = other.impl->getEntries();
    for (const auto& entry : theirs) {
        add(entry.second);
    }
}

ShaderParamsIterator* ShaderParams::getIterator() const {
    return new ShaderParamsIterator(*this);
}

ShaderParam ShaderParams::find(const std::string& name) const {
    return impl->find(name);
}

size_t ShaderParams::size() const {
    return impl->getEntries().size();
}

ShaderParamsIterator::ShaderParamsIterator(const ShaderParams& params)
    : OwningIterator(params.getImpl().getIterator()) {}

}  // namespace MatSys
