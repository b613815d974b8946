#include "CFG/Calculator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "Util/FatalReport.h"
#include "Util/NumberConversion.h"
#include "Util/Strings.h"

namespace CFG {

namespace {

// Tested in this order against the start of the remaining text; the first match wins.
const char* const l_validTokens[] = {"(",  ")",  "+",  "-",  "*", "/",
                                     "<<", ">>", ">=", "<=", ">", "<"};

constexpr double kTwoTo32 = 4294967296.0;
constexpr uint32_t kShiftMask = 31;

// The low 32 bits of v truncated towards zero, as two's complement would hold them.
// Values that are not finite count as 0.
uint32_t lowBits(float v) {
    double truncated = std::trunc(static_cast<double>(v));
    if (!std::isfinite(truncated)) {
        return 0;
    }
    double low = std::fmod(truncated, kTwoTo32);
    if (low < 0) {
        low += kTwoTo32;
    }
    return static_cast<uint32_t>(low);
}

bool isDigitAt(const std::string& text, size_t at) {
    return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
}

bool isSignAt(const std::string& text, size_t at) {
    return at < text.size() && (text[at] == '+' || text[at] == '-');
}

// The end of what stream extraction of a float can read from text at begin: a sign,
// digits with at most one point, then, after at least one digit, an exponent of "e" or
// "E", a sign and digits. The stream stops at the first character outside this form,
// so the text after it never changes the value read, and handing over only this part
// keeps each operand's cost to its own length.
size_t streamNumberEnd(const std::string& text, size_t begin) {
    size_t end = begin;
    if (isSignAt(text, end)) {
        ++end;
    }
    bool seenDigit = false;
    bool seenPoint = false;
    while (end < text.size()) {
        if (isDigitAt(text, end)) {
            seenDigit = true;
        } else if (text[end] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        ++end;
    }
    if (seenDigit && end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        ++end;
        if (isSignAt(text, end)) {
            ++end;
        }
        while (isDigitAt(text, end)) {
            ++end;
        }
    }
    return end;
}

// Closes one parse level when it goes out of scope, also when a report throws.
class NestingGuard {
public:
    explicit NestingGuard(int& counter) : counter(counter) { ++counter; }
    ~NestingGuard() { --counter; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& counter;
};

}  // namespace

Calculator::Calculator(const std::string& expression) : text(expression) {}

Calculator::~Calculator() = default;

float Calculator::parse() {
    NestingGuard level(nesting);
    if (nesting > kMaxNesting) {
        QUORLITH_FATAL("Expression nested deeper than " << kMaxNesting << " levels");
    }
    float accumulator;
    if (nextToken() == "(") {
        skipToken("(");
        accumulator = parse();
    } else {
        accumulator = getNumber();
    }
    while (true) {
        std::string op = nextToken();
        skipToken(op);
        if (op == ")" || op.empty()) {
            return accumulator;
        }
        float right;
        if (nextToken() == "(") {
            skipToken("(");
            right = parse();
        } else {
            right = getNumber();
        }
        accumulator = doCalculation(accumulator, op, right);
    }
}

std::string Calculator::nextToken() {
    position = std::min(text.size(), text.find_first_not_of(Util::WHITESPACE, position));
    for (const char* token : l_validTokens) {
        if (text.compare(position, std::strlen(token), token) == 0) {
            return token;
        }
    }
    return std::string();
}

void Calculator::skipToken(const std::string& token) {
    position = std::min(text.size(), position + token.size());
}

float Calculator::getNumber() {
    position = std::min(text.size(), text.find_first_not_of(Util::WHITESPACE, position));

    // The characters counted as the number: a sign, then digits with at most one point.
    size_t end = position;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        ++end;
    }
    bool seenPoint = false;
    while (end < text.size()) {
        char c = text[end];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            ++end;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            ++end;
        } else {
            break;
        }
    }

    // The value is what the stream reads from the whole remaining text; only the part it
    // can read is converted. When that fails the whole remaining text is converted
    // again, so that the failure message carries it.
    const size_t numberEnd = streamNumberEnd(text, position);
    float value;
    if (numberEnd == position) {
        // Nothing readable: 0 for an empty rest, else the failure.
        value = Util::strToNum<float>(text.substr(position), 10);
    } else {
        try {
            value = Util::strToNum<float>(text.substr(position, numberEnd - position), 10);
        } catch (const std::domain_error&) {
            value = Util::strToNum<float>(text.substr(position), 10);
        }
    }
    position = end;
    return value;
}

float Calculator::doCalculation(float left, const std::string& op, float right) {
    if (op == "+")
        return left + right;
    if (op == "-")
        return left - right;
    if (op == "*")
        return left * right;
    if (op == "/")
        return left / right;
    if (op == "<<")
        return static_cast<float>(lowBits(left) << (lowBits(right) & kShiftMask));
    if (op == ">>")
        return static_cast<float>(lowBits(left) >> (lowBits(right) & kShiftMask));
    if (op == ">")
        return left > right ? 1.0f : 0.0f;
    if (op == ">=")
        return left >= right ? 1.0f : 0.0f;
    if (op == "<")
        return left < right ? 1.0f : 0.0f;
    if (op == "<=")
        return left <= right ? 1.0f : 0.0f;
    QUORLITH_FATAL("Unknown operator: " << op);
}

}  // namespace CFG
