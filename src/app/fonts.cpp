#include "app/fonts.h"

#include <QStringList>

namespace netedit {

QFont FontOf(const FontRole& role, int pixelHeight) {
    QStringList families;
    for (const char* family : role.families) {
        families << QString::fromUtf8(family);
    }
    families << QStringLiteral("sans-serif");
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelHeight);
    font.setBold(role.bold);
    return font;
}

} // namespace netedit
