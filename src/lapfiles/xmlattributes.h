#pragma once
// Counting the attributes of the elements of an XML text before it is parsed. A stream reader
// checks each new attribute against all earlier ones of its element, so an element of a great
// many attributes takes time growing with their square; a document holding one is refused
// after this count, which takes one pass over the text.
#include <QByteArrayView>
#include <QStringView>

namespace basConvert {

// No element of a result list comes near this many attributes (a root with its namespaces has
// fewer than ten). Below it the reader's checks stay a small constant per attribute.
constexpr int MaxXmlAttributes = 64;

// True when some start tag of the text holds more than MaxXmlAttributes attributes. Comments,
// CDATA sections, processing instructions, declarations, end tags and quoted values are passed
// over; the text need not be well-formed. UTF-8, Latin-1 and other ASCII-based bytes are
// counted as they are.
bool HasCrowdedElement(QByteArrayView bytes);
bool HasCrowdedElement(QStringView text);

}  // namespace basConvert
