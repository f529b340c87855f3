// The wildcard match of BASIC's Like operator.
#include "race/textutil.h"

namespace CbasGeneral {

bool Like(const QString& text, const QString& pattern)
{
    return Like(QStringView(text), QStringView(pattern));
}

namespace {

QChar foldCase(QChar c)
{
    return c.toCaseFolded();
}

// Matches one character against the list of "[...]" starting after the "[" at p; sets p past
// the "]". A list without "]" is taken literally as "[".
bool matchCharList(QChar c, QStringView pattern, qsizetype& p, bool& ok)
{
    qsizetype close = pattern.indexOf(u']', p + 1);
    if (close < 0) {
        ok = false;
        return false;
    }
    ok = true;
    qsizetype i = p + 1;
    bool negate = i < close && pattern[i] == u'!';
    if (negate) ++i;
    const QChar fc = foldCase(c);
    bool found = false;
    for (; i < close; ++i) {
        QChar from = foldCase(pattern[i]);
        QChar to = from;
        if (i + 2 < close && pattern[i + 1] == u'-') {
            to = foldCase(pattern[i + 2]);
            i += 2;
        }
        if (fc >= from && fc <= to) found = true;
    }
    p = close + 1;
    return found != negate;
}

// Matches one pattern element at p against c; advances p past the element.
bool matchOne(QChar c, QStringView pattern, qsizetype& p)
{
    const QChar pc = pattern[p];
    if (pc == u'?') {
        ++p;
        return true;
    }
    if (pc == u'#') {
        ++p;
        return c >= u'0' && c <= u'9';
    }
    if (pc == u'[') {
        bool ok = false;
        qsizetype q = p;
        bool matched = matchCharList(c, pattern, q, ok);
        if (ok) {
            p = q;
            return matched;
        }
    }
    ++p;
    return foldCase(pc) == foldCase(c);
}

}  // namespace

bool Like(QStringView text, QStringView pattern)
{
    // Greedy matching with one back-track point: the latest "*".
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starP = -1;
    qsizetype starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = ++p;
            starT = t;
            continue;
        }
        qsizetype q = p;
        if (p < pattern.size() && matchOne(text[t], pattern, q)) {
            p = q;
            ++t;
            continue;
        }
        if (starP < 0) return false;
        p = starP;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace CbasGeneral
