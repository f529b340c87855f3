#pragma once
// A one-line label for texts that come from the data (a race name, a place, an information
// line): the text is cut to the width the layout gives the label and ends with " ..." when it
// did not fit, the whole text is its tooltip, and a long text never widens the window.
#include <QLabel>

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The whole text; what is shown is cut to the label's width.
    void setFullText(const QString& text);
    QString fullText() const { return full_; }
    // The longest start of the text that, followed by " ...", fits the width in the metrics;
    // the text itself when it fits whole.
    static QString Fit(const QString& text, const QFontMetrics& metrics, int width);

    // Only the height is asked for: the width is what the layout has to spare.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refit();

    QString full_;
};
