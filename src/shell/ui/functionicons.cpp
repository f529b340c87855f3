#include "shell/ui/functionicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>

namespace {

constexpr int IconSize = 32;

const QColor Ink(40, 40, 60);
const QColor Paper(250, 250, 245);

QPixmap Draw(const std::function<void(QPainter&)>& paint)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1.5));
    paint(p);
    return pixmap;
}

// A sheet of paper with a folded corner.
void Sheet(QPainter& p)
{
    QPolygonF page{{7, 3}, {21, 3}, {26, 8}, {26, 29}, {7, 29}};
    p.setBrush(Paper);
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF{{21, 3}, {21, 8}, {26, 8}});
}

void NewIcon(QPainter& p)
{
    Sheet(p);
    p.setPen(QPen(QColor(30, 140, 60), 3));
    p.drawLine(QPointF(16.5, 13), QPointF(16.5, 24));
    p.drawLine(QPointF(11, 18.5), QPointF(22, 18.5));
}

void OpenIcon(QPainter& p)
{
    p.setBrush(QColor(235, 190, 80));
    p.drawPolygon(QPolygonF{{3, 8}, {12, 8}, {14, 11}, {27, 11}, {27, 27}, {3, 27}});
    p.setBrush(QColor(250, 215, 120));
    p.drawPolygon(QPolygonF{{6, 15}, {30, 15}, {27, 27}, {3, 27}});
}

void EditIcon(QPainter& p)
{
    Sheet(p);
    p.setPen(QPen(QColor(200, 120, 30), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(12, 25), QPointF(25, 12));
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF{{10, 27}, {11, 23}, {14, 26}});
}

void SaveIcon(QPainter& p)
{
    p.setBrush(QColor(60, 90, 170));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(Paper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(8, 18, 16, 10));
}

void ShowIcon(QPainter& p)
{
    p.setBrush(Paper);
    p.drawRect(QRectF(3, 5, 26, 22));
    p.setBrush(QColor(70, 130, 200));
    p.drawRect(QRectF(7, 17, 4, 7));
    p.setBrush(QColor(220, 80, 60));
    p.drawRect(QRectF(14, 10, 4, 14));
    p.setBrush(QColor(60, 170, 90));
    p.drawRect(QRectF(21, 14, 4, 10));
}

void OutputIcon(QPainter& p)
{
    p.setBrush(Paper);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(Paper);
    p.drawRect(QRectF(9, 20, 14, 9));
    p.drawLine(QPointF(12, 24), QPointF(20, 24));
}

void ExitIcon(QPainter& p)
{
    p.setBrush(QColor(160, 110, 70));
    p.drawRect(QRectF(5, 3, 14, 26));
    p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 16), QPointF(28, 16));
    p.drawLine(QPointF(23, 11), QPointF(28, 16));
    p.drawLine(QPointF(23, 21), QPointF(28, 16));
}

void CloseIcon(QPainter& p)
{
    Sheet(p);
    p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 13), QPointF(22, 24));
    p.drawLine(QPointF(22, 13), QPointF(11, 24));
}

}  // namespace

QIcon FunctionIcon(int index)
{
    static const std::function<void(QPainter&)> painters[] = {
        NewIcon, OpenIcon, EditIcon, SaveIcon, ShowIcon, OutputIcon, ExitIcon, CloseIcon, ExitIcon,
    };
    if (index < 0 || index >= 9) return QIcon();
    return QIcon(Draw(painters[index]));
}

QPixmap LapChartEmblem(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 190, 200), 1, Qt::DotLine));
    const int legs = 6;
    for (int i = 0; i <= legs; ++i) {
        const double x = 4 + (width - 8) * double(i) / legs;
        p.drawLine(QPointF(x, 4), QPointF(x, height - 4));
    }
    // Each runner's place after each leg, drawn as one line across the legs.
    static const int places[3][legs + 1] = {
        {1, 2, 1, 1, 3, 2, 1}, {2, 1, 3, 2, 1, 1, 2}, {3, 3, 2, 3, 2, 3, 3}};
    static const QColor colours[3] = {QColor(220, 70, 50), QColor(50, 110, 200),
                                      QColor(40, 160, 80)};
    for (int r = 0; r < 3; ++r) {
        QPainterPath line;
        for (int i = 0; i <= legs; ++i) {
            const QPointF point(4 + (width - 8) * double(i) / legs,
                                4 + (height - 8) * (places[r][i] - 0.5) / 3.0);
            if (i == 0)
                line.moveTo(point);
            else
                line.lineTo(point);
        }
        p.setPen(QPen(colours[r], 2.5));
        p.drawPath(line);
    }
    return pixmap;
}

QPixmap ControlFlagEmblem(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF square(1.5, 1.5, size - 3.0, size - 3.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({square.topLeft(), square.topRight(), square.bottomLeft()}));
    p.setBrush(QColor(240, 120, 30));
    p.drawPolygon(QPolygonF({square.topRight(), square.bottomRight(), square.bottomLeft()}));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(square);
    return pixmap;
}
