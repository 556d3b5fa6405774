#include "model/WholeNumber.h"

namespace qf {

std::optional<int32_t> parseWholeNumber(const QString &text)
{
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = value * 10 + (ch.unicode() - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t readWholeNumber(const QString &text, int32_t fallback)
{
    return parseWholeNumber(text).value_or(fallback);
}

} // namespace qf
