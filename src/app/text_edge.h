#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace netedit {

// The crossings between the program's code page 932 bytes and Qt's Unicode strings.
QString ToQString(std::string_view cp932);
std::string FromQString(const QString& text);
// A path chosen by the user; see EncodeCp932Path for characters the code page cannot hold.
std::string PathFromQString(const QString& path);

} // namespace netedit
