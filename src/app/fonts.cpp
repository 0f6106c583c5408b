#include "app/fonts.h"

#include <QStringList>

namespace netedit {

namespace {

// Named explicitly: which family a generic Japanese request resolves to depends on what is installed.
QStringList JapaneseFamilies() {
    return {QStringLiteral("ＭＳ Ｐゴシック"),  QStringLiteral("MS PGothic"),
            QStringLiteral("IPAPGothic"),       QStringLiteral("IPAGothic"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("sans-serif")};
}

} // namespace

QFont WindowFont(int pixelHeight) {
    QFont font;
    font.setFamilies(JapaneseFamilies());
    font.setPixelSize(pixelHeight);
    return font;
}

QFont FlatButtonFont(int pixelHeight) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")});
    font.setPixelSize(pixelHeight);
    font.setBold(true);
    return font;
}

} // namespace netedit
