// Reading IOF XML result lists, version 3.0 and 2.0.3: the document's encoding, whether its
// root is a result list, and the walk over it, which reads either version (the elements of a
// result in iofxmlelements, the event and classes in iofxmlresultlist). Relay teams become one
// class per class and leg; of an event of several races one race is read.
#include "lapfiles/interchangereaders.h"
#include "lapfiles/iofxmlelements.h"
#include "lapfiles/iofxmlresultlist.h"
#include "lapfiles/xmlattributes.h"
#include "race/textcodec.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <memory>
#include <optional>
#include <utility>

namespace basConvert {
namespace {

// The encoding name in the XML declaration, when the bytes begin with one that names it.
std::optional<QString> declaredEncodingName(const QByteArray& bytes)
{
    if (!bytes.startsWith("<?xml")) return std::nullopt;
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0) return std::nullopt;
    static const QRegularExpression pattern(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const auto match = pattern.match(QString::fromLatin1(bytes.left(end)));
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

// The encoding of the document: its byte order mark, else the encoding its declaration names,
// else the one its bytes show.
TextCodec::Encoding xmlEncoding(const QByteArray& bytes)
{
    using TextCodec::Encoding;
    Encoding bom = TextCodec::detectEncoding(bytes.left(4));
    if (bytes.startsWith("\xEF\xBB\xBF") || bom == Encoding::Utf16LE || bom == Encoding::Utf16BE)
        return bom;
    if (auto name = declaredEncodingName(bytes))
        if (auto declared = TextCodec::encodingNamed(*name)) return *declared;
    return TextCodec::detectEncoding(bytes);
}

// True when the stream reader, handed the bytes themselves, decodes them as xmlEncoding does:
// well-formed UTF-8 whose declaration names no encoding or UTF-8, and whose first bytes hold no
// NUL (from which the reader would guess UTF-16 or UTF-32). It then decodes a piece at a time
// instead of holding the whole text besides the bytes.
bool readerDecodesAlike(const QByteArray& bytes)
{
    if (xmlEncoding(bytes) != TextCodec::Encoding::Utf8) return false;
    if (bytes.left(4).contains('\0')) return false;
    const auto name = declaredEncodingName(bytes);
    if (name && name->compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0) return false;
    return TextCodec::isValidUtf8(bytes);
}

// The root element is found within this much of the start of any result list; the rest of a
// file that is none is never decoded.
constexpr qsizetype HeadBytes = qsizetype(64) << 10;
// Characters before the end of a cut start in which the reader may have stumbled over the cut
// rather than over the document.
constexpr qsizetype CutMargin = 1024;

// A document that breaks before its first element is a broken result list only if it says it
// is XML and names the root somewhere.
ReadOutcome brokenBeforeRoot(const QString& head, const QByteArray& bytes, bool whole)
{
    if (!head.trimmed().startsWith(QLatin1String("<?xml"))) return ReadOutcome::NotThisFormat;
    const QLatin1String root("ResultList");
    const bool named = head.contains(root) ||
                       (!whole && TextCodec::decode(bytes, xmlEncoding(bytes)).contains(root));
    return named ? ReadOutcome::Failed : ReadOutcome::NotThisFormat;
}

// A document with an element of too many attributes is refused before it is parsed, as a
// broken result list when it is one.
ReadOutcome crowdedDocument(const QString& head, const QByteArray& bytes, bool whole,
                            ImportedRace& race)
{
    const ReadOutcome outcome = brokenBeforeRoot(head, bytes, whole);
    if (outcome == ReadOutcome::Failed)
        race.failure =
            QStringLiteral("属性が多すぎる要素があります (1 つの要素に %1 個まで読み込めます)")
                .arg(MaxXmlAttributes);
    return outcome;
}

}  // namespace

ReadOutcome ReadIofXml(const QByteArray& bytes, ImportedRace& race)
{
    const bool whole = bytes.size() <= HeadBytes;
    // The root element decides, from the start of the file alone unless that start is cut
    // before the reader could tell.
    const QString head =
        TextCodec::decode(whole ? bytes : bytes.left(HeadBytes), xmlEncoding(bytes));
    if (HasCrowdedElement(head)) return crowdedDocument(head, bytes, whole, race);
    {
        QXmlStreamReader xml(head);
        if (xml.readNextStartElement()) {
            if (!IofXml::Named(xml, "ResultList")) return ReadOutcome::NotThisFormat;
            if (whole) return IofXml::ReadResultList(xml, race);
        } else if (whole || (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError &&
                             xml.characterOffset() + CutMargin < head.size())) {
            return brokenBeforeRoot(head, bytes, whole);
        }
    }
    QBuffer buffer;
    std::unique_ptr<QXmlStreamReader> reader;
    if (readerDecodesAlike(bytes)) {
        if (HasCrowdedElement(bytes)) return crowdedDocument(head, bytes, false, race);
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        reader = std::make_unique<QXmlStreamReader>(&buffer);
    } else {
        QString text = TextCodec::decode(bytes, xmlEncoding(bytes));
        if (HasCrowdedElement(text)) return crowdedDocument(head, bytes, false, race);
        // The reader keeps a copy of its own; the decoded text is let go at once.
        reader = std::make_unique<QXmlStreamReader>(std::exchange(text, QString()));
    }
    QXmlStreamReader& xml = *reader;
    if (!xml.readNextStartElement()) return brokenBeforeRoot(head, bytes, false);
    if (!IofXml::Named(xml, "ResultList")) return ReadOutcome::NotThisFormat;
    return IofXml::ReadResultList(xml, race);
}

}  // namespace basConvert
