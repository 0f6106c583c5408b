#pragma once

// The window's fixed texts, as UTF-8.
namespace netedit::ui {

inline constexpr const char* WindowCaption = "Orbelin Netdata Editor";
inline constexpr const char* SourceCaption = "既存データ：";
inline constexpr const char* DestinationCaption = "新データ：";
inline constexpr const char* OpenCaption = "開く";
inline constexpr const char* SaveCaption = "OK";
inline constexpr const char* RevertCaption = "ｷｬﾝｾﾙ";
inline constexpr const char* CloseCaption = "閉じる";
inline constexpr const char* HelpCaption = "ﾍﾙﾌﾟ";
// What each transfer button moves and the key that presses it, for assistive technology.
inline constexpr const char* IncludeDescription = "選択したデータを新データへ移す（Alt+→）";
inline constexpr const char* IncludeAllDescription = "すべてのデータを新データへ移す（Alt+Shift+→）";
inline constexpr const char* ExcludeDescription = "選択したデータを既存データへ戻す（Alt+←）";
inline constexpr const char* ExcludeAllDescription = "すべてのデータを既存データへ戻す（Alt+Shift+←）";
// What the keys of a list do to its chosen entries, for assistive technology.
inline constexpr const char* ListDescription = "選択したデータを上下に移す（Alt+↑、Alt+↓）";
// The buttons' default action, as a screen reader names it.
inline constexpr const char* PressAction = "押す";
inline constexpr const char* OpenHint = "既存ファイルを開く";
inline constexpr const char* SaveHint = "データを保存する";
inline constexpr const char* RevertHint = "元に戻す";
inline constexpr const char* CloseHint = "このウィンドゥを閉じる";
inline constexpr const char* FileFilter =
    "ネットデータ(OBN.NET)|OBN.NET|ネットデータ(OBN*.NET)|OBN*.NET|全ファイル(*.*)|*.*";
inline constexpr const char* CloseQuestion = "データを保存せずに終了しますか？";
// What a log-off waits for while the close question is up.
inline constexpr const char* UnsavedEntriesWaiting = "保存していない新データがあります";
inline constexpr const char* SaveQuestion = "新データを保存します。";
inline constexpr const char* SavedWithBackup =
    "新しいOBN.NETを作成し、以前のものをOBNNET.ORGに保存しました。";
inline constexpr const char* SavedElsewhere = "新しいOBN.NETを作成しました。";
inline constexpr const char* ChangedSinceLoad = "ﾌｧｲﾙ %s は読み込んだ後に変更されています。上書きしますか？";
inline constexpr const char* HelpMissing = "ヘルプファイル %s が見つかりません。";
inline constexpr const char* HelpNotOpened = "ヘルプファイル %s を開けません。";

} // namespace netedit::ui
