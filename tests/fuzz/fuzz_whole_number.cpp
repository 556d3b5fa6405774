// The two number readers against a reference built on std::from_chars: each
// takes exactly an optional sign followed by decimal digits, within its range.
#include "FuzzSupport.h"
#include "model/Int16Reader.h"
#include "model/WholeNumber.h"

#include <charconv>
#include <cstring>
#include <string>

using namespace qf;
using namespace qf::fuzz;

namespace {

struct Reference {
    bool syntax = false;   // optional sign, then at least one digit, nothing else
    bool fits32 = false;   // within -2147483648..2147483647
    bool fits16 = false;   // within -32768..65535
    int64_t value = 0;     // when it fits 64 bits
    uint16_t low16 = 0;    // the low 16 bits of the number (two's complement)
};

Reference reference(const std::string &s)
{
    Reference r;
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    if (i == s.size())
        return r;
    for (size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9')
            return r;
    r.syntax = true;
    uint32_t low = 0;
    for (size_t k = i; k < s.size(); ++k)
        low = (low * 10 + uint32_t(s[k] - '0')) & 0xFFFFu;
    r.low16 = uint16_t(negative ? (0x10000u - low) & 0xFFFFu : low);
    // from_chars takes the minus sign but no plus sign.
    const std::string digits = (negative ? "-" : "") + s.substr(i);
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec == std::errc() && end == digits.data() + digits.size()) {
        r.value = v;
        r.fits32 = v >= INT32_MIN && v <= INT32_MAX;
        r.fits16 = v >= -32768 && v <= 65535;
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const std::string s = bytes.toStdString();
    const Reference ref = reference(s);

    // The field reader on the bytes as Latin-1 characters (one per byte).
    const std::optional<int32_t> whole = parseWholeNumber(QString::fromLatin1(bytes));
    QF_FUZZ_CHECK(whole.has_value() == (ref.syntax && ref.fits32));
    if (whole)
        QF_FUZZ_CHECK(*whole == ref.value);
    const int32_t fallback = size > 0 ? int32_t(data[0]) - 128 : 7;
    QF_FUZZ_CHECK(readWholeNumber(QString::fromLatin1(bytes), fallback) == whole.value_or(fallback));

    // As UTF-8 and as UTF-16 code units: only the ASCII sign and digits count,
    // whatever the other characters' codes look like.
    std::u16string units(size / 2, u'\0');
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * 2);
    for (const QString &text : {QString::fromUtf8(bytes), QString::fromStdU16String(units)}) {
        const std::optional<int32_t> n = parseWholeNumber(text);
        bool ascii = true;
        for (QChar ch : text)
            ascii = ascii && ch.unicode() < 0x80;
        if (n) {
            QF_FUZZ_CHECK(ascii);
            QF_FUZZ_CHECK(reference(text.toStdString()).value == *n);
        } else if (ascii) {
            const Reference r = reference(text.toStdString());
            QF_FUZZ_CHECK(!(r.syntax && r.fits32));
        }
    }

    // The 16-bit reader of the text files.
    const Int16Reading r16 = ReadInt16(bytes);
    QF_FUZZ_CHECK(r16.valid == ref.syntax);
    if (r16.valid) {
        QF_FUZZ_CHECK(r16.inRange == ref.fits16);
        QF_FUZZ_CHECK(r16.value == int16_t(ref.low16));
        if (r16.inRange)
            QF_FUZZ_CHECK(int16_t(uint16_t(ref.value & 0xFFFF)) == r16.value);
    } else {
        QF_FUZZ_CHECK(!r16.inRange && r16.value == 0);
    }
    return 0;
}
