#pragma once

#include <optional>
#include <string>

namespace netedit {

class Failure;

// Kinds of message dialog, by number.
enum class MsgKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// Buttons of a message dialog, as bits of a set; the set's bit order is the order in the box.
namespace buttons {
inline constexpr unsigned Yes = 1U << 0;
inline constexpr unsigned No = 1U << 1;
inline constexpr unsigned Ok = 1U << 2;
inline constexpr unsigned Cancel = 1U << 3;
inline constexpr unsigned Abort = 1U << 4;
inline constexpr unsigned Retry = 1U << 5;
inline constexpr unsigned Ignore = 1U << 6;
inline constexpr unsigned All = 1U << 7;
inline constexpr unsigned Help = 1U << 8;
// No button: Enter answers No where it would answer Yes, for a question whose Yes loses data.
inline constexpr unsigned NoByDefault = 1U << 9;
} // namespace buttons

// Result codes of a message dialog.
namespace results {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
inline constexpr int All = 8;
} // namespace results

// Where the dialog meets the user outside its window: the file dialogs, the message dialogs,
// the error box and the help viewer, each owned by the window. Tests install a scripted one.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // The chosen full path (code page 932), or nothing when the user cancelled.
    virtual std::optional<std::string> chooseOpenFile(const std::string& directory,
                                                      const std::string& fileName) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& directory,
                                                      const std::string& fileName) = 0;
    // Texts are UTF-8 (the program's fixed texts); the answer is a result code.
    virtual int askUser(const std::string& text, MsgKind kind, unsigned buttonSet) = 0;
    virtual void showNotice(const std::string& text) = 0;
    virtual void reportFailure(const Failure& failure) = 0;
    // Shows the contents of the help file at `path` (code page 932), or the page built into the
    // program for BuiltInHelpPage (editor/program_files.h).
    virtual void showHelp(const std::string& path) = 0;
};

} // namespace netedit
