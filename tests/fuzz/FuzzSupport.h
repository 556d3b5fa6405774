#pragma once
// Shared helpers of the fuzz targets: a check that aborts (so libFuzzer keeps the
// input), and the properties every text shown to the player must have.
#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define QF_FUZZ_CHECK(cond)                                                                    \
    do {                                                                                       \
        if (!(cond)) {                                                                         \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace qf::fuzz {

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A computed value never shows as "nan" or "inf" in any spelling.
inline bool showsNoNonFinite(const QString &text)
{
    const QString lower = text.toLower();
    return !lower.contains(QLatin1String("nan")) && !lower.contains(QLatin1String("inf"));
}

// One part of a duration text: two digits ("07", "59"), more digits without a
// leading zero ("123"), or a negative part written with a leading "0" ("0-5",
// "0-12"), as the time fields write them.
inline bool isDurationText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(0\\d|[1-9]\\d+|0-\\d+):(0\\d|[1-5]\\d|0-\\d+):(0\\d|[1-5]\\d|0-\\d+)$"));
    return pattern.match(text).hasMatch();
}

// A decimal whole number, as the result fields write one.
inline bool isWholeNumberText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?(0|[1-9]\\d*)$"));
    return pattern.match(text).hasMatch();
}

// The input split into `count` texts at line ends; missing texts stay as given.
inline void splitFields(const QString &input, QString *const fields[], int count)
{
    const QStringList parts = input.split(u'\n');
    for (int i = 0; i < count && i < parts.size(); ++i)
        *fields[i] = parts[i];
}

} // namespace qf::fuzz
