#include "SprSys/AnimFrame.h"

#include <vector>

#include "Util/FatalReport.h"
#include "Util/NumberConversion.h"
#include "Util/Strings.h"

namespace SprSys {

namespace {

constexpr size_t kMaxParts = 7;
constexpr int kDecimal = 10;

AnimFrame::Orientation readOrientation(const std::string& text) {
    if (text == "N") {
        return AnimFrame::N;
    }
    if (text == "H") {
        return AnimFrame::H;
    }
    if (text == "V") {
        return AnimFrame::V;
    }
    if (text == "HV") {
        return AnimFrame::HV;
    }
    QUORLITH_FATAL("Unknown AnimFrame Orientation " << text << ". Expect N,H,V,HV");
}

}  // namespace

AnimFrame::AnimFrame(const std::string& text) {
    std::vector<std::string> parts;
    Util::splitString(text, ",", parts, false, true);
    if (parts.empty() || parts.size() > kMaxParts) {
        QUORLITH_FATAL("Expected 1-6 parts for AnimFrame: " << text);
    }
    // Parts are read in field order; the missing trailing ones keep their defaults.
    const size_t count = parts.size();
    frame = Util::strToNum<int>(parts[0], kDecimal);
    if (count > 1) {
        shiftX = Util::strToNum<short>(parts[1], kDecimal);
    }
    if (count > 2) {
        shiftY = Util::strToNum<short>(parts[2], kDecimal);
    }
    if (count > 3) {
        orientation = readOrientation(parts[3]);
    }
    if (count > 4) {
        rotation = Util::strToNum<short>(parts[4], kDecimal);
    }
    if (count > 5) {
        scaleX = Util::strToNum<float>(parts[5], kDecimal);
    }
    if (count > 6) {
        scaleY = Util::strToNum<float>(parts[6], kDecimal);
    }
}

}  // namespace SprSys
