#pragma once

#include "runtime/platform.h"

#include <functional>
#include <string>
#include <string_view>

namespace netedit {

// Receives the pieces of a file being written, in order.
using TextSink = std::function<void(std::string_view piece)>;
using TextProducer = std::function<void(const TextSink&)>;

// Whose name a new file goes by. A name the user chose is saved through a symbolic link standing
// there, as the user meant the file it leads to; a name the program chooses itself (a backup, a
// remainder) never is: nobody chose the file a link planted there leads to.
enum class Naming { Chosen, Own };

// A file's new text, written and flushed beside the file it is to replace, and put in that
// file's place only when asked: until then, or if never, every file stands as it was and the
// temporary file is gone again, even when the system ends the program meanwhile.
class NewFile {
public:
    // Writes what `produce` hands over to a temporary file beside `path` (for a chosen name,
    // beside the file a symbolic link there leads to), open to nobody else while it is written.
    // It then takes what the file standing at `path` has beyond its bytes (an own name: what the
    // file at `permissionsFrom` has, when given). Where the folder takes no new file but the file
    // at `path` may be written, the text waits for PutInPlace and is then written over that file.
    // Fails with "ﾌｧｲﾙ %s を作成できません" (`path` for %s) when neither can be created, with the
    // access message when the name may not be replaced (another user's file in a folder where
    // only owners remove), and with "ｽﾄﾘｰﾑへの書き込みｴﾗｰ" when the write or the flush falls short.
    // `names` tells how `path` names its file: the program's own files (the help page) go by their
    // own names.
    NewFile(const std::string& path, TextProducer produce, Naming naming = Naming::Chosen,
            const std::string& permissionsFrom = {}, platform::Names names = platform::Names::Cp932);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    NewFile(NewFile&&) = delete;
    NewFile& operator=(NewFile&&) = delete;

    // Puts the new text in its place in one step. Fails with the access message when the system
    // refuses for rights, else with the write error; the file that stood there then stands on.
    // Written in place, room for the whole text is made first, so that a full disk leaves the
    // file as it was.
    void PutInPlace();
    // Where the text goes: the path, or the file its symbolic link leads to.
    const std::string& target() const { return target_; }

private:
    void WriteInPlace();
    void Abandon();

    std::string path_;
    std::string target_;
    std::string temporary_;        // empty while the text waits to be written over the target
    platform::Handle handle_ = -1; // the temporary file, open until it is put in place
    bool open_ = false;
    Naming naming_;
    platform::Names names_;
    TextProducer produce_;
};

// While it lives, the system's requests to end the program wait: the renames that put a save's
// files in place are never cut between them.
class InterruptionsHeld {
public:
    InterruptionsHeld() { platform::HoldInterruptions(true); }
    ~InterruptionsHeld() { platform::HoldInterruptions(false); }
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;
    InterruptionsHeld(InterruptionsHeld&&) = delete;
    InterruptionsHeld& operator=(InterruptionsHeld&&) = delete;
};

// The message for a rename or erase that the system refused with `result`: the access message
// for a refusal of rights (access denied, a file in use), else `otherwise`.
std::string RefusalMessage(platform::IoResult result, const std::string& otherwise);

} // namespace netedit
