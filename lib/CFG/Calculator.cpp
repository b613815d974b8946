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

// Characters that can appear inside a number read by stream extraction; the stream
// stops at any other character, so the text after one of those never matters.
bool canContinueNumber(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-';
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

    // The value is what the stream reads from the whole remaining text. Only the run of
    // characters that could belong to a number is handed over, which reads the same
    // value without copying a long tail for every operand; the failure message still
    // carries the whole remaining text.
    size_t candidate = position;
    while (candidate < text.size() && canContinueNumber(text[candidate])) {
        ++candidate;
    }
    float value;
    if (candidate == position) {
        value = Util::strToNum<float>(text.substr(position), 10);
    } else {
        try {
            value = Util::strToNum<float>(text.substr(position, candidate - position), 10);
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
