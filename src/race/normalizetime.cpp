// Normalising the time texts typed by users or read from other programs' files: bare digits,
// minutes and seconds, hours beyond the clock, 1:23'45" and trailing remarks all become one
// picture (usually "hh:nn:ss") that the callers test and convert.
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <array>

namespace CbasGeneral {

namespace {

// An "hh:mm:ss"-shaped text of exactly eight characters assembled without allocating.
class Text8 {
public:
    Text8& add(QStringView piece)
    {
        for (QChar c : piece)
            if (size_ < 8) chars_[size_++] = c;
        return *this;
    }
    Text8& add(QChar c) { return add(QStringView(&c, 1)); }
    QStringView view() const { return QStringView(chars_.data(), size_); }

private:
    std::array<QChar, 8> chars_{};
    qsizetype size_ = 0;
};

// Hours, minutes and seconds from characters 1-2, 4-5 and 7-8, each rounded to a whole number;
// minutes and seconds above 59 carry. No value when a piece is not a number, or carries a sign
// (00:-5:00 is no time of five minutes).
std::optional<QString> recombine(QStringView s, const QString& picture)
{
    if (s.size() != 8) return std::nullopt;
    long long seconds = 0;
    for (int k = 0; k < 3; ++k) {
        const QStringView piece = s.mid(k * 3, 2);
        if (!IsNumeric(piece) || piece.contains(u'-') || piece.contains(u'+')) return std::nullopt;
        seconds = seconds * 60 + RoundHalfEven(Val(piece));
    }
    return FormatTimeSeconds(seconds, picture);
}

// Whether digits that give the hours ("hh:mm:ss" from five or six digits, or any clock digits)
// stay on the clock: a carry into hours the text gives itself (86400 read as 8 h 64 min) is a
// number that is no time, not a time.
bool onTheClock(QStringView hhmmss)
{
    const auto piece = [hhmmss](int k) { return Val(hhmmss.mid(k * 3, 2)); };
    return piece(0) <= 23 && piece(1) <= 59 && piece(2) <= 59;
}

// A number read as days: only a fraction of a day is a time. A longer number (a count of
// seconds, twenty digits) or a negative one would lose its whole days or its sign and pass for
// some time of day.
bool isTimeOfDayNumber(QStringView s)
{
    const double days = Val(s);
    return days >= 0 && (s.size() < 7 || days < 1);
}

// Digits read from the right: seconds, then minutes, then hours. Other lengths stay as they are.
std::optional<Text8> durationDigits(QStringView s)
{
    Text8 t;
    switch (s.size()) {
        case 1:
            t.add(u"00:00:0").add(s);
            break;
        case 2:
            t.add(u"00:00:").add(s);
            break;
        case 3:
            t.add(u"00:0").add(s[0]).add(u':').add(s.mid(1));
            break;
        case 4:
            t.add(u"00:").add(s.left(2)).add(u':').add(s.mid(2));
            break;
        case 5:
            t.add(u'0').add(s[0]).add(u':').add(s.mid(1, 2)).add(u':').add(s.mid(3));
            break;
        case 6:
            t.add(s.left(2)).add(u':').add(s.mid(2, 2)).add(u':').add(s.mid(4));
            break;
        default:
            return std::nullopt;
    }
    return t;
}

// Digits read from the left: hours, then minutes, then seconds. Other lengths stay as they are.
std::optional<Text8> clockDigits(QStringView s)
{
    Text8 t;
    switch (s.size()) {
        case 2:
            t.add(s).add(u":00:00");
            break;
        case 3:
            t.add(u'0').add(s[0]).add(u':').add(s.mid(1)).add(u":00");
            break;
        case 4:
            t.add(s.left(2)).add(u':').add(s.mid(2)).add(u":00");
            break;
        case 5:
        case 6:
            return durationDigits(s);
        default:
            return std::nullopt;
    }
    return t;
}

class Normalizer {
public:
    Normalizer(const QString& narrowText, const QString& picture)
        : whole_(narrowText), picture_(picture)
    {
    }

    QString duration(QStringView s) const
    {
        if (IsNumeric(s) && Val(s) >= 0) {
            const std::optional<Text8> digits = durationDigits(s);
            if (digits && s.size() >= 5 && !onTheClock(digits->view())) return s.toString();
            return finish(digits ? digits->view() : s);
        }
        if (std::optional<double> time = ParseTime(s)) {
            // One colon means minutes and seconds (12:34 is 12 min 34 s, not 12 h 34 min).
            long long seconds = RoundToSeconds(*time);
            if (s.count(u':') == 1) seconds = seconds / 3600 * 60 + seconds / 60 % 60;
            return FormatTimeSeconds(seconds, picture_);
        }
        if (ParseDate(s)) return FormatTime(0.0, picture_);
        return byPattern(s);
    }

    QString clock(QStringView s) const
    {
        if (IsNumeric(s) && Val(s) >= 0) {
            const std::optional<Text8> digits = clockDigits(s);
            if (digits && !onTheClock(digits->view())) return s.toString();
            return finish(digits ? digits->view() : s);
        }
        return format(s);
    }

private:
    // Texts that are neither numbers nor times for the parser: minutes above 59, three-digit
    // minutes and the 1:23'45" form.
    QString byPattern(QStringView s) const
    {
        Text8 t;
        if (Like(s, u"#:##")) {
            t.add(u"00:0").add(s);
        } else if (Like(s, u"##:##")) {
            t.add(u"00:").add(s);
        } else if (Like(s, u"#:##'##\"")) {
            t.add(u'0').add(s[0]).add(u':').add(s.mid(2, 2)).add(u':').add(s.mid(5, 2));
        } else if (Like(s, u"##:##'##\"")) {
            t.add(s.left(2)).add(u':').add(s.mid(3, 2)).add(u':').add(s.mid(6, 2));
        } else if (Like(s, u"###:##")) {
            const int minutes = RoundHalfEven(Val(s.left(3)));
            const int seconds = RoundHalfEven(Val(s.mid(4)));
            return finish(FormatTimeSeconds(minutes * 60LL + seconds, picture_));
        } else {
            return s.contains(u':') ? finish(s) : format(s);
        }
        return finish(t.view());
    }

    // An eight-character text is recombined from its hours, minutes and seconds, anything else
    // formatted with the picture.
    QString finish(QStringView s) const
    {
        if (std::optional<QString> time = recombine(s, picture_)) return *time;
        return format(s);
    }

    QString format(QStringView s) const
    {
        if (IsNumeric(s) && !isTimeOfDayNumber(s)) return s.toString();
        if (std::optional<QString> time = TryFormatTextAsTime(s, picture_)) return *time;
        if (s.data() == whole_.data() && s.size() == whole_.size()) return whole_;  // shared
        return s.toString();
    }

    const QString& whole_;
    const QString& picture_;
};

}  // namespace

QString NormalizeTimeText(const QString& text, bool durationMode, const QString& picture)
{
    // Narrowed first, so that full-width digits, colons, spaces and brackets typed with a
    // Japanese input method are read like their half-width forms.
    const QString narrow = ToNarrow(text);
    QStringView s = TrimBlanks(narrow);
    const qsizetype bracket = s.indexOf(u'(');
    if (bracket >= 0) s = TrimBlanks(s.left(bracket));  // a trailing remark such as "(3)"
    const Normalizer normalizer(narrow, picture);
    return durationMode ? normalizer.duration(s) : normalizer.clock(s);
}

}  // namespace CbasGeneral
