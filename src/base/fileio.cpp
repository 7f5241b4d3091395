#include "base/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/numbers.h"

namespace velmo {

namespace {

[[noreturn]] void CannotOpen(const std::string& path, const std::string& reason) {
    throw TFileError("Cannot open file \"" + path + "\". " + reason, reason);
}
[[noreturn]] void CannotCreate(const std::string& path, const std::string& reason) {
    throw TFileError("Cannot create file \"" + path + "\". " + reason, reason);
}
[[noreturn]] void CannotWrite(const std::string& path, const std::string& reason) {
    throw TFileError("Unable to write to " + path + ". " + reason, reason);
}

const char* const kNotRegular = "It is not a regular file.";

// Closes the descriptor when it goes out of scope, unless released.
class TFd {
public:
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() {
        if (FFd >= 0) ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    int Release() { return std::exchange(FFd, -1); }

private:
    int FFd;
};

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return path.substr(0, slash + 1);
}

// `path` with every symbolic link at its end followed; the last name that is not a
// link (it may not exist yet). A loop of links gives ELOOP.
bool FollowLinks(std::string path, std::string& target, int& err) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = path;
            return true;
        }
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0) {
            err = errno;
            return false;
        }
        link.resize(static_cast<size_t>(n));
        path = (!link.empty() && link[0] == '/') ? link : Folder(path) + link;
    }
    err = ELOOP;
    return false;
}

}  // namespace

std::string ReadRegularFile(const std::string& path, size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    TFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) CannotOpen(path, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) CannotOpen(path, std::strerror(errno));
    if (S_ISDIR(st.st_mode)) CannotOpen(path, std::strerror(EISDIR));
    if (!S_ISREG(st.st_mode)) CannotOpen(path, kNotRegular);
    const std::string tooLarge = "It is larger than " +
                                 FormatInt(static_cast<long long>(maxBytes >> 20)) +
                                 " MB, more than a file of this kind holds.";
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) CannotOpen(path, tooLarge);
    std::string bytes;
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    // The file may grow while it is read: read one byte beyond the bound at most.
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes) CannotOpen(path, tooLarge);
            bytes.resize(std::min(maxBytes + 1, bytes.size() + 65536));
        }
        ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            CannotOpen(path, std::strerror(errno));
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    if (bytes.size() > maxBytes) CannotOpen(path, tooLarge);
    return bytes;
}

namespace {

// One file of an atomic write: where it goes and the temporary file beside it.
struct TPendingWrite {
    std::string Path;    // the name as given, for messages
    std::string Target;  // the file that is replaced (links followed)
    mode_t Mode = 0;
    std::string Temp;    // empty until written
};

// Resolves the target and refuses what may not be replaced; writes nothing.
TPendingWrite PrepareWrite(const std::string& path) {
    TPendingWrite w;
    w.Path = path;
    int err = 0;
    if (!FollowLinks(path, w.Target, err)) CannotCreate(path, std::strerror(err));
    struct stat st {};
    if (::stat(w.Target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) CannotCreate(path, std::strerror(EISDIR));
        if (!S_ISREG(st.st_mode)) CannotCreate(path, kNotRegular);
        if (::access(w.Target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)
            CannotCreate(path, std::strerror(EACCES));
        w.Mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        CannotCreate(path, std::strerror(errno));
    } else {
        // mkstemp creates 0600; a new document gets the usual permissions.
        mode_t mask = ::umask(0);
        ::umask(mask);
        w.Mode = 0666 & ~mask;
    }
    return w;
}

// Writes the bytes to a new temporary file beside the target and flushes it to disk.
void WriteTemp(TPendingWrite& w, std::string_view bytes) {
    std::string tmpl = w.Target + ".XXXXXX";
    TFd fd(::mkstemp(tmpl.data()));
    if (fd.Get() < 0) CannotCreate(w.Path, std::strerror(errno));
    auto fail = [&](int e) {
        ::close(fd.Release());
        ::unlink(tmpl.c_str());
        CannotWrite(w.Path, std::strerror(e));
    };
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (n == 0) fail(EIO);
        done += static_cast<size_t>(n);
    }
    if (::fchmod(fd.Get(), w.Mode) != 0) fail(errno);
    if (::fsync(fd.Get()) != 0) fail(errno);
    if (::close(fd.Release()) != 0) {
        int e = errno;
        ::unlink(tmpl.c_str());
        CannotWrite(w.Path, std::strerror(e));
    }
    w.Temp = std::move(tmpl);
}

void CommitTemp(TPendingWrite& w) {
    if (std::rename(w.Temp.c_str(), w.Target.c_str()) != 0) {
        int e = errno;
        ::unlink(w.Temp.c_str());
        w.Temp.clear();
        CannotWrite(w.Path, std::strerror(e));
    }
    w.Temp.clear();
}

}  // namespace

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
    TPendingWrite w = PrepareWrite(path);
    WriteTemp(w, bytes);
    CommitTemp(w);
}

void WriteFilesAtomic(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<TPendingWrite> writes;
    writes.reserve(files.size());
    for (const auto& f : files) writes.push_back(PrepareWrite(f.first));
    try {
        for (size_t i = 0; i < writes.size(); ++i) WriteTemp(writes[i], files[i].second);
        for (TPendingWrite& w : writes) CommitTemp(w);
    } catch (...) {
        for (const TPendingWrite& w : writes)
            if (!w.Temp.empty()) ::unlink(w.Temp.c_str());
        throw;
    }
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + ext;
    return path.substr(0, dot) + ext;
}

}  // namespace velmo
