#pragma once
// The program's one rule for reading a field's text as a whole number.
#include <QString>
#include <cstdint>
#include <optional>

namespace qf {

// A decimal integer: optional "+" or "-", then at least one digit, nothing else,
// within the 32-bit signed range. Anything else is not a whole number.
std::optional<int32_t> parseWholeNumber(const QString &text);

// The whole-number reading of a field: text that is not a whole number gives the fallback.
int32_t readWholeNumber(const QString &text, int32_t fallback = 0);

} // namespace qf
