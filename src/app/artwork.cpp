#include "app/artwork.h"

#include "editor/pictures.h"

#include <QApplication>
#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <functional>
#include <utility>

namespace netedit {

namespace {

using Drawing = std::function<void(QPainter&)>;

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

void DrawShapes(QPainter& p, Picture picture) {
    for (const Shape& shape : ShapesOf(picture)) {
        p.setPen(QColor(shape.line.red, shape.line.green, shape.line.blue));
        p.setBrush(QColor(shape.fill.red, shape.fill.green, shape.fill.blue));
        QPolygonF corners;
        for (const GridPoint& corner : shape.corners) {
            corners << QPointF(corner.x, corner.y);
        }
        p.drawPolygon(corners);
    }
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

QIcon PictureIcon(Picture picture) {
    QStyle* style = QApplication::style();
    switch (picture) {
    case Picture::Tick:
        return style->standardIcon(QStyle::SP_DialogOkButton);
    case Picture::Cross:
        return style->standardIcon(QStyle::SP_DialogCancelButton);
    case Picture::Question:
        return style->standardIcon(QStyle::SP_DialogHelpButton);
    case Picture::Folder:
    case Picture::Door:
        return QIcon(
            new DrawnPicture([picture](QPainter& p) { DrawShapes(p, picture); }, PictureSide(picture)));
    case Picture::None:
        break;
    }
    return {};
}

QIcon ProgramIcon() {
    return QIcon(new DrawnPicture(PaintProgramIcon, 32));
}

} // namespace netedit
