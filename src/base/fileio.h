#pragma once
// Reading and writing whole files. Every file the program reads and every output it
// writes goes through these, so the same rules hold everywhere:
// - only regular files are read, never more than a stated size, and opening never
//   waits (a FIFO or a device named as a file is refused at once);
// - an output is written completely to a temporary file beside its target, checked at
//   every step, then renamed over it: on any failure the previous file is untouched.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/error.h"

namespace velmo {

// A file that cannot be read or written; Reason() is the cause alone ("No such file or
// directory", "It is not a regular file.").
class TFileError : public Error {
public:
    TFileError(const std::string& message, const std::string& reason)
        : Error(message), FReason(reason) {}
    const std::string& Reason() const { return FReason; }

private:
    std::string FReason;
};

// Size bounds of the files read. A design is a few kilobytes, a reference table some
// hundred; the bounds lie far above any real file and keep a wrong file from filling
// the memory.
constexpr size_t kMaxDesignFileBytes = size_t{16} << 20;
constexpr size_t kMaxTableFileBytes = size_t{64} << 20;

// The bytes of the regular file at `path`, at most `maxBytes` of them. Throws TFileError
// "Cannot open file \"<path>\". <reason>" when it does not exist, cannot be read, is
// not a regular file (a folder, FIFO, device, socket) or is larger than `maxBytes`.
std::string ReadRegularFile(const std::string& path, size_t maxBytes);

// Writes `bytes` as the new contents of `path`:
// - a symbolic link is followed, so the file it names is replaced (the link stays);
// - an existing target that is not a regular file, or that is write-protected (no
//   write permission for the caller, or no write bit at all, which binds root too),
//   is refused;
// - the new file keeps the permissions of the file it replaces (a new file gets
//   0666 less the umask).
// Refusals and a temporary file that cannot be created throw Error "Cannot create
// file \"<path>\". <reason>"; a failure while writing, flushing or renaming throws
// Error "Unable to write to <path>. <reason>". Either way the target is as before.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

// Several files written as WriteFileAtomic writes one: every target is checked and
// every new file is written beside it before the first is renamed into place, so a
// refusal or a failed write (a full disk, a file-size limit) leaves all of them as
// they were. Only a rename that fails after others succeeded can leave a mix.
void WriteFilesAtomic(const std::vector<std::pair<std::string, std::string>>& files);

// True when both names denote the same existing file (after following links).
bool SameFile(const std::string& a, const std::string& b);

// `path` with its extension (the part after the last "." of the file name) replaced
// by `ext` (which starts with "."), or `ext` appended when there is none.
std::string ChangeFileExt(const std::string& path, const std::string& ext);

}  // namespace velmo
