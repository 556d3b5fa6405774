#include "model/Int16Reader.h"

#include <cstdint>

namespace qf {

Int16Reading ReadInt16(const QByteArray &token)
{
    Int16Reading r;
    int i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i >= token.size())
        return r;
    // Only the low 16 bits and whether the number is in range matter, so the
    // magnitude is kept saturated instead of growing without bound.
    uint64_t magnitude = 0;
    uint32_t low = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (c < '0' || c > '9')
            return r;
        const unsigned digit = unsigned(c - '0');
        low = (low * 10 + digit) & 0xFFFFu;
        if (magnitude < 1000000)
            magnitude = magnitude * 10 + digit;
    }
    r.valid = true;
    if (negative)
        low = (0x10000u - low) & 0xFFFFu;
    r.inRange = negative ? magnitude <= 32768 : magnitude <= 65535;
    r.value = static_cast<int16_t>(static_cast<uint16_t>(low));
    return r;
}

} // namespace qf
