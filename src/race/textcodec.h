#pragma once
// The one conversion between the program's Unicode texts and the Windows Japanese code page
// (CP932) in which every file the program reads or writes is kept.
#include <QByteArray>
#include <QString>

namespace TextCodec {

// Bytes that are not valid CP932 become U+FFFD; decoding never fails.
QString fromCp932(const QByteArray& bytes);

// A character with no CP932 form becomes "?".
QByteArray toCp932(const QString& text);

// Number of CP932 bytes of the text (a full-width character counts 2).
int cp932Length(const QString& text);

}  // namespace TextCodec
