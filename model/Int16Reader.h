#pragma once
// The 16-bit number rule of the program's text files: a number is held as a
// 16-bit signed integer.
#include <QByteArray>

namespace qf {

struct Int16Reading {
    bool valid = false;   // the token is a number at all
    bool inRange = false; // it lies within -32768..65535
    int value = 0;        // 32768..65535 wrap to negative; outside the range: the low 16 bits
};

// token: optional "+" or "-" followed by decimal digits, nothing else.
Int16Reading ReadInt16(const QByteArray &token);

} // namespace qf
