#pragma once
// String operations used by the readers, writers and windows. "ANSI" lengths and positions
// count CP932 bytes: a half-width character is 1 byte, a full-width character 2.
#include <QString>
#include <QStringView>

namespace CbasGeneral {

// Field n (1-based) of the text split at every delimiter; empty for an empty text or
// delimiter, n <= 0 or n beyond the last field. No trimming, no quoting.
QString GetField(const QString& text, int n, const QString& delimiter);
// Number of fields GetField can return: 0 for an empty text, 1 for an empty delimiter.
int CountFields(const QString& text, const QString& delimiter);
// Non-overlapping, case-sensitive occurrences of part (0 for an empty part).
int CountText(const QString& text, const QString& part);
// The text without any occurrence of part.
QString RemoveText(const QString& text, const QString& part);
// Removes half-width spaces, ideographic spaces (U+3000) and NUL characters.
QString StripSpaces(const QString& text);
// A runner's name as pages and files show it: spaces removed as by StripSpaces, except that one
// half-width space stays between two Latin letters or digits, so that "Alessio  Tenani" keeps
// its words apart ("Alessio Tenani") while "山田　太郎" becomes "山田太郎".
QString CompactName(const QString& text);
// A text as one field of a comma-separated file: every "," becomes the full-width "，", since
// the fields of these files are never quoted, and a CR or LF a space, since a field never ends
// its line.
QString CsvField(const QString& text);
// A text field (name, club, class, race name) of a file that spreadsheets open: CsvField, a tab
// becomes a space as well, and a leading "=", "+", "-" or "@" (after any spaces) its full-width
// form "＝", "＋", "－", "＠", so that no spreadsheet takes the field for a formula. Never used
// for times or numbers.
QString CsvCell(const QString& text);
// The text a field written by CsvCell stands for: its leading "＝", "＋", "－" or "＠" (after
// any spaces) in its half-width form again.
QString CsvCellText(const QString& field);
// Removes leading and trailing half-width spaces only, as BASIC's Trim.
QString Trim(const QString& text);
// The same without copying: the view without its leading and trailing half-width spaces.
QStringView TrimBlanks(QStringView text);
// Wraps the text in double quotes unless it both begins and ends with one.
QString AddQuotes(const QString& text);
// Removes a double quote at each end when both are there (and the text has two characters).
QString RemoveQuotes(const QString& text);
// With an empty part removes the last n characters; otherwise removes them only when they
// equal part exactly.
QString CutRight(const QString& text, int n, const QString& part);

int AnsiLength(const QString& text);
// byteCount bytes from the 1-based byte position startByte. A full-width character cut by
// either end of the piece is replaced by one space, so the piece keeps its byte width.
QString AnsiMid(const QString& text, int startByte, int byteCount);
// Trimmed first if asked; cut with AnsiMid when wider than width, else padded with spaces
// (in front when rightAlign).
QString FitWidth(const QString& text, int width, bool rightAlign, bool trimFirst);

// Full-width ("wide") and half-width ("narrow") forms, katakana included, and upper case.
// ToWide joins a half-width katakana and a following (han)dakuten into one character
// (ｶﾞ → ガ, ﾊﾟ → パ); ToNarrow splits them again. The space becomes U+3000, ' and " become
// ’ and ”. Hiragana, kanji and other characters are left as they are.
QString ToWide(const QString& text);
QString ToNarrow(const QString& text);
QString ToUpper(const QString& text);

// Case-insensitive wildcard match: "*" any run, "?" one character, "#" one digit,
// "[...]" / "[!...]" a character list.
bool Like(const QString& text, const QString& pattern);
bool Like(QStringView text, QStringView pattern);

// BASIC numbers: IsNumeric accepts an optionally signed decimal number with surrounding blanks;
// Val reads the leading number of a text (optional sign, digits, decimal point), 0 when the
// text does not begin with one; RoundHalfEven rounds halves to the even neighbour (CInt).
bool IsNumeric(const QString& text);
bool IsNumeric(QStringView text);
double Val(const QString& text);
double Val(QStringView text);
int RoundHalfEven(double value);

}  // namespace CbasGeneral
