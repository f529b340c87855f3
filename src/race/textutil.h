#pragma once
// String operations used by the readers, writers and windows. "ANSI" lengths and positions
// count CP932 bytes: a half-width character is 1 byte, a full-width character 2.
#include <QString>

namespace CbasGeneral {

// Field n (1-based) of the text split at every delimiter; empty for an empty text or
// delimiter, n <= 0 or n beyond the last field. No trimming, no quoting.
QString GetField(const QString& text, int n, const QString& delimiter);
int CountFields(const QString& text, const QString& delimiter);
int CountText(const QString& text, const QString& part);
QString RemoveText(const QString& text, const QString& part);
// Removes half-width spaces, ideographic spaces (U+3000) and NUL characters.
QString StripSpaces(const QString& text);
// Removes leading and trailing half-width spaces only, as BASIC's Trim.
QString Trim(const QString& text);
QString AddQuotes(const QString& text);
QString RemoveQuotes(const QString& text);
QString CutRight(const QString& text, int n, const QString& part);

int AnsiLength(const QString& text);
QString AnsiMid(const QString& text, int startByte, int byteCount);
QString FitWidth(const QString& text, int width, bool rightAlign, bool trimFirst);

// Full-width ("wide") and half-width ("narrow") forms, katakana included, and upper case.
QString ToWide(const QString& text);
QString ToNarrow(const QString& text);
QString ToUpper(const QString& text);

// Case-insensitive wildcard match: "*" any run, "?" one character, "#" one digit,
// "[...]" / "[!...]" a character list.
bool Like(const QString& text, const QString& pattern);

// BASIC numbers: IsNumeric accepts an optionally signed decimal number with surrounding blanks;
// Val reads the leading number of a text (optional sign, digits, decimal point), 0 when the
// text does not begin with one; RoundHalfEven rounds halves to the even neighbour (CInt).
bool IsNumeric(const QString& text);
double Val(const QString& text);
int RoundHalfEven(double value);

}  // namespace CbasGeneral
