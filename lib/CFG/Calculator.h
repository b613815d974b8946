#pragma once

#include <cstddef>
#include <string>

namespace CFG {

// Evaluates one arithmetic expression in single precision, strictly from left to
// right (no precedence; only parentheses group): '2+3*4' is 20. Operators: + - * /,
// << >> (on the low 32 bits of the truncated operands), > >= < <= (giving 1 or 0).
// Reading stops at the first character that begins no token ('7%2' is 7).
// Constructed from the text and used once.
class Calculator {
public:
    explicit Calculator(const std::string& expression);
    virtual ~Calculator();

    // The value of the whole expression. Ends the process through the fatal report for
    // an operator not in the table ("Unknown operator: (" for '2(3)') and for
    // parentheses nested deeper than kMaxNesting; throws std::domain_error
    // ("Cant convert String to Num:...") for an operand that is not a number.
    float parse();

    static constexpr int kMaxNesting = 256;

private:
    std::string nextToken();
    void skipToken(const std::string& token);
    float getNumber();
    float doCalculation(float left, const std::string& op, float right);

    std::string text;
    size_t position = 0;  // text before this index has been consumed
    int nesting = 0;      // parse levels currently open
};

}  // namespace CFG
