#include "config/ui/elidedlabel.h"

#include <QFontMetrics>
#include <QResizeEvent>

namespace {
const QString kMore = QStringLiteral(" ...");
}

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text)
{
    full_ = text;
    setToolTip(text);
    refit();
}

QString ElidedLabel::Fit(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width) return text;
    qsizetype keep = text.size();
    while (keep > 0) {
        --keep;
        // Never split a character outside the basic plane.
        if (keep > 0 && text[keep].isLowSurrogate()) continue;
        const QString start = text.left(keep).trimmed();
        if (metrics.horizontalAdvance(start + kMore) <= width) return start + kMore;
    }
    return metrics.horizontalAdvance(kMore) <= width ? kMore.trimmed() : QString();
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(kMore), QLabel::minimumSizeHint().height());
}

QSize ElidedLabel::sizeHint() const
{
    return minimumSizeHint();
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    refit();
}

void ElidedLabel::refit()
{
    const QString shown = Fit(full_, fontMetrics(), contentsRect().width());
    if (shown != text()) setText(shown);
}
