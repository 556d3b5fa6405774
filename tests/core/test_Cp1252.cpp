#include "library/Cp1252.h"

#include <gtest/gtest.h>

using namespace qf;

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);
    // No two bytes share a character.
    for (int i = 0; i < 256; ++i)
        for (int j = i + 1; j < 256; ++j)
            ASSERT_NE(text[i], text[j]) << i << " " << j;
}

TEST(Cp1252, KnownCharactersAndBytes)
{
    EXPECT_EQ(toCp1252(QStringLiteral("Stabilität")), QByteArray("Stabilit\xE4t"));
    EXPECT_EQ(toCp1252(QStringLiteral("Plün")), QByteArray("Pl\xFCn"));
    EXPECT_EQ(toCp1252(QStringLiteral("ÖÄÜßé")), QByteArray("\xD6\xC4\xDC\xDF\xE9"));
    EXPECT_EQ(toCp1252(QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ")),
              QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                         "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F"));
    EXPECT_EQ(fromCp1252(QByteArray("\x80\xA0\xFF")), QString::fromUtf8("€\u00A0ÿ"));
    // The bytes Windows leaves unassigned stand for the control characters of the same number.
    EXPECT_EQ(fromCp1252(QByteArray("\x81\x8D\x8F\x90\x9D")).toStdU16String(),
              std::u16string(u"\u0081\u008D\u008F\u0090\u009D"));
    // The characters that 80..9F hex stand for in Latin-1 but not here have no byte.
    EXPECT_EQ(toCp1252(QString(QChar(0x0080))), QByteArray("?"));
    EXPECT_EQ(toCp1252(QString(QChar(0x009F))), QByteArray("?"));
}

TEST(Cp1252, CharactersWithoutAByteBecomeQuestionMarks)
{
    EXPECT_EQ(toCp1252(QStringLiteral("a\u03A9b\u4E2Dc")), QByteArray("a?b?c"));
    // A character outside the basic plane is one character, hence one '?'.
    EXPECT_EQ(toCp1252(QString::fromUtf8("x\xF0\x9F\x9A\x80y")), QByteArray("x?y"));
    // A lone half of a surrogate pair is no character either.
    QString lone = QStringLiteral("a");
    lone.append(QChar(0xD800));
    lone.append(u'b');
    EXPECT_EQ(toCp1252(lone), QByteArray("a?b"));
    EXPECT_EQ(toCp1252(QString()), QByteArray());
    EXPECT_EQ(fromCp1252(QByteArray()), QString());
}
