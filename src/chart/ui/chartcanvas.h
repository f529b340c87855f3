#pragma once
// The chart's drawing surface: a white picture that keeps what was last drawn into it (so it
// repaints without redrawing the chart) and reports presses of a mouse button.
#include <QImage>
#include <QWidget>

#include <functional>

class ChartCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ChartCanvas(QWidget* parent = nullptr);

    // Redraws the kept picture at the widget's size with the given painting and shows it.
    void render(const std::function<void(QPainter&, const QSize&)>& paint);
    // The picture as last drawn.
    const QImage& picture() const { return picture_; }

signals:
    void pressed(const QPoint& position);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage picture_;
};
