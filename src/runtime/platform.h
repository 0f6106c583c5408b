#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The one door to the operating system. Paths are code page 932 bytes; the platform file
// converts them to what the system expects. Every call answers with an I/O code: 0 for
// success, else the program's code for the system's error (2 not found, 3 path not found,
// 4 too many open files, 5 access denied, 32 in use, 112 disk full, other codes as they come).
namespace netedit::platform {

using Handle = int;

int OpenForReading(const std::string& path, Handle& handle);
// A file with no write bit for anyone is read-only, even for root: it is neither written
// (code 5) nor erased.
int CreateForWriting(const std::string& path, Handle& handle); // creates or empties
int ReadSome(Handle handle, char* data, std::size_t size, std::size_t& got);
int WriteAll(Handle handle, const char* data, std::size_t size);
int CloseHandle(Handle handle);
int EraseFile(const std::string& path);
// 0 when EraseFile would erase the file at `path`, else the code it would fail with.
int MayErase(const std::string& path);
bool RenameNoReplace(const std::string& from, const std::string& to);
// Puts the file `from` in the place of the file `to` in one atomic step.
bool RenameReplacing(const std::string& from, const std::string& to);

// What stands at a path: nothing, a regular file, or something else (a directory, a device, or
// a path that cannot be looked at, which is never taken for a missing file).
enum class PathKind { Missing, File, Other };
PathKind KindOfPath(const std::string& path);

// Reads the whole file in one piece.
int ReadWholeFile(const std::string& path, std::string& bytes);
// Fills `data`, sized to the file, from `handle`; a file that shrank meanwhile shortens it to
// the bytes that were there. Both systems' ReadWholeFile end with it.
int ReadToSize(Handle handle, std::string& data);

// Hands a piece of a file being written to the system; false when the write fell short.
using PieceWriter = std::function<bool(const char* data, std::size_t size)>;

// Replaces the file at `path` with what `produce` writes, through a flushed temporary file in
// the same directory; when the directory refuses one, the file itself is written over. The new
// file keeps the permission bits of the one it replaces, or when none stands at `path`, of
// `permissionsFrom` (if given). `createFailed` tells whether the failure came from creating
// (target not writable, directory missing) rather than from writing.
int ReplaceFileContents(const std::string& path, const std::function<void(const PieceWriter&)>& produce,
                        bool& createFailed, const std::string& permissionsFrom = {});

std::string ExecutablePath();
// The folder the program runs in, and the value of an environment variable (empty when unset),
// both in code page 932.
std::string CurrentFolder();
std::string EnvironmentValue(const char* name);
// Whether the user may create files in `folder`.
bool MayCreateIn(const std::string& folder);
// Creates `folder` and the folders on its way that are missing, readable by the user alone;
// 0 when it stands there afterwards.
int MakeFolders(const std::string& folder);

// Code page conversion through the system's converter; `exact` turns false when a sequence
// could not be converted and was replaced.
std::string ConvertCp932ToUtf8(const std::string& bytes, bool& exact);
std::string ConvertUtf8ToCp932(const std::string& utf8, bool& exact);

// For tests of the failure roads: the `n`th call from now that reaches the system (counting
// from 1) fails as a refusing system would; 0 switches this off.
void FailNthCall(int n);

} // namespace netedit::platform
