#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace netedit {

// Receives the pieces of a file being written, in order.
using TextSink = std::function<void(std::string_view piece)>;
using TextProducer = std::function<void(const TextSink&)>;

// A file's new text, written and flushed beside the file it is to replace, and put in that
// file's place only when asked: until then, or if never, every file stands as it was and the
// temporary file is gone again.
class NewFile {
public:
    // Writes what `produce` hands over to a temporary file beside `path` (beside the file a
    // symbolic link there leads to), with the permission bits of the file standing at `path`,
    // or with none there, of the file at `permissionsFrom` when given. Where the folder takes no
    // new file but the file at `path` may be written, the text waits for PutInPlace and is then
    // written over that file. Fails with "ﾌｧｲﾙ %s を作成できません" (`path` for %s) when neither
    // can be created, and with "ｽﾄﾘｰﾑへの書き込みｴﾗｰ" when the write or the flush falls short.
    NewFile(const std::string& path, TextProducer produce, const std::string& permissionsFrom = {});
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    NewFile(NewFile&&) = delete;
    NewFile& operator=(NewFile&&) = delete;

    // Puts the new text in its place in one step. Fails with the access message when the system
    // refuses for rights, else with the write error; the file that stood there then stands on.
    void PutInPlace();
    // Where the text goes: the path, or the file its symbolic link leads to.
    const std::string& target() const { return target_; }

private:
    std::string path_;
    std::string target_;
    std::string temporary_; // empty while the text waits to be written over the target
    TextProducer produce_;
};

// Writes a file that `produce` hands over piece by piece through a NewFile put in place at once,
// so that a large file never stands whole in memory, with the same failures.
void SaveStream(const std::string& path, const TextProducer& produce,
                const std::string& permissionsFrom = {});

// The message for a rename or erase that the system refused with `code`: the access message
// for a refusal of rights (access denied, a file in use), else `otherwise`.
std::string RefusalMessage(int code, const std::string& otherwise);

} // namespace netedit
