// The stored lines and the few of them that tell the kinds of file apart: the probe, which
// reads the last line from the end, agrees with the lines stored from the start, whatever the
// line ends, blanks and byte-order mark.
#include "lapfiles/linebuffer.h"

#include <gtest/gtest.h>

using basConvert::LineProbe;
using basConvert::ProbeStoredLines;
using basConvert::SplitStoredLines;

TEST(StoredLines, TheProbeAgreesWithTheLinesStoredFromTheStart)
{
    // Every sequence of up to five of these pieces, with and without a byte-order mark.
    const QByteArray pieces[] = {"a", " ", ",", "\r", "\n", "\r\n", "a\n", "SPORTident results"};
    std::vector<QByteArray> inputs{QByteArray()};
    for (int length = 1; length <= 5; ++length) {
        std::vector<QByteArray> longer;
        for (const QByteArray& input : inputs)
            if (input.size() >= length - 1)
                for (const QByteArray& piece : pieces) longer.push_back(input + piece);
        inputs.insert(inputs.end(), longer.begin(), longer.end());
    }
    int checked = 0;
    for (const QByteArray& body : inputs) {
        for (const QByteArray& bytes : {body, QByteArray("\xEF\xBB\xBF") + body}) {
            const QStringList lines = SplitStoredLines(bytes).lines;
            const LineProbe probe = ProbeStoredLines(bytes);
            const QString shown = QString::fromLatin1(bytes.toPercentEncoding());
            ASSERT_FALSE(probe.tooLong) << shown.toStdString();
            ASSERT_EQ(probe.first, lines.mid(0, 3)) << shown.toStdString();
            ASSERT_EQ(probe.last, lines.value(lines.size() - 1)) << shown.toStdString();
            ASSERT_EQ(
                probe.sportident,
                lines.size() >= 3 && lines[2].trimmed() == QLatin1String("SPORTident results"))
                << shown.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 10000);
}

TEST(StoredLines, LineEndsBlanksAndTheLengthLimit)
{
    const struct {
        QByteArray bytes;
        QStringList lines;
        bool anyComma;
        bool tooLong;
    } cases[] = {
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}, false, false},
        {"a,b\r\n ,\r\n\r\n", {"a,b"}, true, false},  // a line of blanks and commas is not kept
        {"x\n\n" + QByteArray(basConvert::MaxLineBytes, 'y'),
         {"x", QString(basConvert::MaxLineBytes, 'y')},
         false,
         false},
        {"x\n" + QByteArray(basConvert::MaxLineBytes + 1, 'y') + "\n", {}, false, true},
        {"\xEF\xBB\xBF\xC3\xB6\r\n", {QStringLiteral("ö")}, false, false},
        {"\x83\x41\r\n", {QStringLiteral("ア")}, false, false},  // CP932 without the mark
    };
    for (const auto& c : cases) {
        const basConvert::StoredLines stored = SplitStoredLines(c.bytes);
        EXPECT_EQ(ProbeStoredLines(c.bytes).tooLong, c.tooLong);
        if (c.tooLong) continue;
        EXPECT_EQ(stored.lines, c.lines);
        EXPECT_EQ(stored.anyComma, c.anyComma);
    }
}
