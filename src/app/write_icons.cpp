// Writes the program icon for the desktop's icon theme: a scalable SVG and PNGs of the usual
// sizes, all from the drawing the window itself shows, so the menu and the window agree.
// Usage: write_icons FOLDER   (writes FOLDER/scalable/netedit.svg and FOLDER/SIZE/netedit.png)

#include "app/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_icons FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("scalable"));
    QSvgGenerator svg;
    svg.setFileName(folder.filePath(QStringLiteral("scalable/netedit.svg")));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("netedit"));
    {
        QPainter painter(&svg);
        painter.setRenderHint(QPainter::Antialiasing);
        netedit::PaintProgramIcon(painter);
    }
    const QIcon icon = netedit::ProgramIcon();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString name = QString::number(size);
        folder.mkpath(name);
        if (!icon.pixmap(QSize(size, size), 1.0)
                 .save(folder.filePath(name + QStringLiteral("/netedit.png")))) {
            std::fprintf(stderr, "write_icons: cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
