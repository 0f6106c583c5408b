#pragma once

#include "runtime/platform.h"

#include <string>
#include <string_view>

namespace netedit {

// Builds a message in code page 932 from a fixed UTF-8 text, putting `arg` (already code page
// 932 bytes, usually a path) in place of its "%s".
std::string Message(std::string_view fixed, std::string_view arg = {});
// The message for what a call to the system came to.
std::string IOMessage(platform::IoResult result);

// The fixed texts of the failures, each in one place.
namespace msg {
inline constexpr std::string_view CannotOpen = "ﾌｧｲﾙ %s は開けません";
inline constexpr std::string_view CannotCreate = "ﾌｧｲﾙ %s を作成できません";
inline constexpr std::string_view WriteError = "ｽﾄﾘｰﾑへの書き込みｴﾗｰ";
inline constexpr std::string_view NotAnInteger = "'%s' は整数ではありません";
inline constexpr std::string_view TooManySections = "ﾌｧｲﾙ %s のｾｸｼｮﾝ数が255を超えています";
inline constexpr std::string_view CannotBackUp = "ﾌｧｲﾙ %s のﾊﾞｯｸｱｯﾌﾟを作成できません";
inline constexpr std::string_view CannotInsertLine = "行を挿入できません";
inline constexpr std::string_view OutOfMemory = "ﾒﾓﾘが足りません";
inline constexpr std::string_view FileDialogFailed = "ﾌｧｲﾙ ﾀﾞｲｱﾛｸﾞを表示できません (%s)";
inline constexpr std::string_view IndexOutOfRange = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";
inline constexpr std::string_view WindowNotCreated = "ﾒｲﾝ ｳｨﾝﾄﾞｳを作成できません";
} // namespace msg

} // namespace netedit
