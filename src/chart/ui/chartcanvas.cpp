#include "chart/ui/chartcanvas.h"

#include <QMouseEvent>
#include <QPainter>

ChartCanvas::ChartCanvas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void ChartCanvas::render(const std::function<void(QPainter&, const QSize&)>& paint)
{
    const QSize area = size().expandedTo(QSize(1, 1));
    if (picture_.size() != area) picture_ = QImage(area, QImage::Format_RGB32);
    QPainter painter(&picture_);
    paint(painter, area);
    painter.end();
    update();
}

void ChartCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.isNull()) painter.drawImage(QPoint(0, 0), picture_);
}

void ChartCanvas::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->position().toPoint());
}

void ChartCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}
