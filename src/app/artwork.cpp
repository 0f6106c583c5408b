#include "app/artwork.h"

#include <QApplication>
#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <utility>

namespace netedit {

namespace {

using Drawing = void (*)(QPainter&);

// A picture drawn on a square canvas of `units` and scaled to whatever size is asked for.
class DrawnPicture : public QIconEngine {
public:
    DrawnPicture(Drawing draw, int units) : draw_(draw), units_(units) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), drawn);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/) override {
        QPixmap canvas(size);
        canvas.fill(Qt::transparent);
        {
            QPainter p(&canvas);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(qreal(size.width()) / units_, qreal(size.height()) / units_);
            draw_(p);
        }
        if (mode == QIcon::Disabled) {
            QStyleOption option;
            return QApplication::style()->generatedIconPixmap(QIcon::Disabled, canvas, &option);
        }
        return canvas;
    }

    QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return size;
    }

    QIconEngine* clone() const override { return new DrawnPicture(draw_, units_); }

private:
    Drawing draw_;
    int units_;
};

void DrawFolder(QPainter& p) {
    p.setPen(QColor(120, 90, 0));
    p.setBrush(QColor(230, 190, 40));
    p.drawPolygon(QPolygonF({{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 13}, {1, 13}}));
    p.setBrush(QColor(255, 225, 90));
    p.drawPolygon(QPolygonF({{3, 7}, {15, 7}, {13, 13}, {1, 13}}));
}

void DrawDoor(QPainter& p) {
    p.setPen(QColor(60, 40, 20));
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(3, 1, 10, 14)); // the dark doorway
    p.setBrush(QColor(170, 110, 50));
    p.drawPolygon(QPolygonF({{3, 1}, {9, 3}, {9, 15}, {3, 15}})); // the door, swung open
    p.setBrush(QColor(240, 210, 80));
    p.drawEllipse(QPointF(7.5, 9), 0.8, 0.8);
}

} // namespace

void PaintProgramIcon(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 40, 70));
    p.drawRect(0, 0, 15, 32);
    p.drawRect(17, 0, 15, 32);
    p.setBrush(QColor(210, 30, 30));
    p.drawRect(15, 0, 2, 32);

    QPainterPath bolt; // a lightning bolt that reads as a capital N
    bolt.moveTo(2, 28);
    bolt.lineTo(5, 4);
    bolt.lineTo(11, 18);
    bolt.lineTo(13, 4);
    bolt.lineTo(16, 4);
    bolt.lineTo(12, 28);
    bolt.lineTo(7, 15);
    bolt.lineTo(5, 28);
    bolt.closeSubpath();
    p.setBrush(QColor(250, 210, 20));
    p.drawPath(bolt);

    // The letters as shapes, so that a vector copy of the icon needs no font where it is shown.
    QFont font;
    font.setPixelSize(12);
    font.setBold(true);
    QPainterPath letters;
    letters.addText(0, 0, font, QStringLiteral("et"));
    letters.translate(QRectF(16, 10, 16, 20).center() - letters.boundingRect().center());
    p.drawPath(letters);
}

QIcon FolderPicture() {
    return QIcon(new DrawnPicture(DrawFolder, 16));
}

QIcon DoorPicture() {
    return QIcon(new DrawnPicture(DrawDoor, 16));
}

QIcon ProgramIcon() {
    return QIcon(new DrawnPicture(PaintProgramIcon, 32));
}

} // namespace netedit
