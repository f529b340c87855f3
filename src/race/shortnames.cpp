#include "race/shortnames.h"

#include "race/textutil.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace CbasGeneral {

namespace {

qsizetype CommonPrefix(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

// The length of the first word of a compacted name: up to its first blank, or the whole name
// when the blank between the words went with the compacting.
qsizetype FirstWordLength(const QString& original, const QString& compact)
{
    const QString trimmed = Trim(original);
    qsizetype end = 0;
    while (end < trimmed.size() && trimmed[end] != u' ' && trimmed[end] != QChar(0x3000)) ++end;
    return std::min(end, compact.size());
}

}  // namespace

QStringList DistinctShortNames(const QStringList& names, int maxChars, int maxColumns)
{
    const qsizetype count = names.size();
    QStringList compact;
    compact.reserve(count);
    for (const QString& name : names) compact << CompactName(Trim(name));

    // The characters a name needs to stand apart: one more than it shares with the name next
    // to it on either side in sorted order, which shares the most.
    std::vector<qsizetype> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](qsizetype a, qsizetype b) { return compact[a] < compact[b]; });
    std::vector<qsizetype> needed(static_cast<size_t>(count), 0);
    for (size_t k = 0; k + 1 < order.size(); ++k) {
        const qsizetype shared = CommonPrefix(compact[order[k]], compact[order[k + 1]]) + 1;
        needed[static_cast<size_t>(order[k])] =
            std::max(needed[static_cast<size_t>(order[k])], shared);
        needed[static_cast<size_t>(order[k + 1])] =
            std::max(needed[static_cast<size_t>(order[k + 1])], shared);
    }

    QStringList labels;
    labels.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& name = compact[i];
        qsizetype length =
            std::max(FirstWordLength(names[i], name), needed[static_cast<size_t>(i)]);
        length = std::min<qsizetype>(length, maxChars);
        QString label = name.left(length);
        while (!label.isEmpty() && AnsiLength(label) > maxColumns) label.chop(1);
        while (label.endsWith(u' ')) label.chop(1);
        labels << label;
    }
    return labels;
}

}  // namespace CbasGeneral
