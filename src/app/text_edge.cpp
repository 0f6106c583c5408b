#include "app/text_edge.h"

#include "runtime/codec.h"

namespace netedit {

QString ToQString(std::string_view cp932) {
    const std::string utf8 = DecodeCp932(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) {
    return EncodeCp932(text.toStdString());
}

std::string PathFromQString(const QString& path) {
    return EncodeCp932Path(path.toStdString());
}

} // namespace netedit
