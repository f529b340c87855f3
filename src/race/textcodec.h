#pragma once
// The one conversion between the program's Unicode texts and the Windows Japanese code page
// (CP932) in which every file the program reads or writes is kept.
#include <QByteArray>
#include <QString>

#include <optional>

namespace TextCodec {

// Bytes that are not valid CP932 become U+FFFD; decoding never fails.
QString fromCp932(const QByteArray& bytes);

// A character with no CP932 form becomes "?".
QByteArray toCp932(const QString& text);
// The same, telling through lossless (when given) whether every character had a CP932 form.
QByteArray toCp932(const QString& text, bool* lossless);
// True when every character of the text has a CP932 form.
bool fitsCp932(const QString& text);

// Number of CP932 bytes of the text (a full-width character counts 2).
int cp932Length(const QString& text);

// Files of other programs come in other encodings; these decode them. The program's own files
// are CP932, except a lap file whose text has no CP932 form, which is UTF-8 with a byte-order
// mark.
enum class Encoding { Utf8, Utf16LE, Utf16BE, Latin1, Windows1252, Windows1257, Cp932 };

// True when the bytes are well-formed UTF-8 (a UTF-8 byte order mark included).
bool isValidUtf8(const QByteArray& bytes);

// The encoding of a text file found from its bytes: a byte order mark first, then valid UTF-8;
// otherwise CP932 when the bytes read as CP932 and hold a double-byte character with a lead
// byte from 0x81 to 0x9F (a C1 control in ISO-8859-1, never in text of that encoding), and
// ISO-8859-1 for everything else.
Encoding detectEncoding(const QByteArray& bytes);

// The encoding an XML declaration or a charset label names ("UTF-8", "ISO-8859-1",
// "windows-1252", "windows-1257", "Shift_JIS", "windows-31j", ...), letter case ignored; no value
// for an unknown name.
std::optional<Encoding> encodingNamed(const QString& name);

// Decodes in the given encoding, dropping a byte order mark at the start. Invalid sequences
// become U+FFFD; decoding never fails. ISO-8859-1 text that holds bytes 0x80 to 0x9F (control
// characters there, never written as text) is Windows-1252, as the files that declare it are.
QString decode(const QByteArray& bytes, Encoding encoding);

}  // namespace TextCodec
