#include "cli/workerpool.h"

#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <thread>

#include "base/error.h"
#include "base/warnings.h"

namespace velmo::cli {
namespace {

// Messages over the socket. To a worker: the job index (4 bytes). From a worker: the
// job index, ok (1 byte), pages (4), the message, the warning count (4) and each
// warning; a text is its length (4) and its bytes.
bool SendAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::send(fd, p, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool ReadAll(int fd, void* data, size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void PutU32(std::string& out, uint32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); }
void PutText(std::string& out, const std::string& s) {
    PutU32(out, static_cast<uint32_t>(s.size()));
    out += s;
}

bool ReadU32(int fd, uint32_t& v) { return ReadAll(fd, &v, 4); }
bool ReadText(int fd, std::string& s) {
    uint32_t size = 0;
    if (!ReadU32(fd, size) || size > (64u << 20)) return false;
    s.resize(size);
    return ReadAll(fd, s.data(), size);
}

// A worker's life: jobs until the caller closes the socket.
[[noreturn]] void WorkerMain(int fd, size_t count, const std::function<int(size_t)>& work) {
    std::vector<std::string> warnings;
    SetWarningHandler([&warnings](const std::string& m) { warnings.push_back(m); });
    for (uint32_t index = 0; ReadU32(fd, index) && index < count;) {
        warnings.clear();
        TJobResult r;
        try {
            r.Pages = work(index);
            r.Ok = true;
        } catch (const std::exception& e) {
            r.Message = e.what();
        } catch (...) {
            r.Message = "Unknown error.";
        }
        std::string msg;
        PutU32(msg, index);
        msg += r.Ok ? '\1' : '\0';
        PutU32(msg, static_cast<uint32_t>(r.Pages));
        PutText(msg, r.Message);
        PutU32(msg, static_cast<uint32_t>(warnings.size()));
        for (const auto& w : warnings) PutText(msg, w);
        if (!SendAll(fd, msg.data(), msg.size())) break;
    }
    ::close(fd);
    // A normal exit, so that what the worker set up (Qt's application, its private
    // runtime folder) is taken down.
    std::exit(0);
}

struct TWorker {
    pid_t Pid = -1;
    int Fd = -1;
    long Job = -1;  // the job it renders, -1 when idle
};

TWorker Spawn(size_t count, const std::function<int(size_t)>& work,
              const std::vector<TWorker>& others) {
    int sv[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0)
        throw Error(std::string("Unable to start a worker process. ") + std::strerror(errno));
    // Anything buffered would otherwise be written twice, once by the worker.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        const int err = errno;
        ::close(sv[0]);
        ::close(sv[1]);
        throw Error(std::string("Unable to start a worker process. ") + std::strerror(err));
    }
    if (pid == 0) {
        ::close(sv[0]);
        // The other workers' sockets: a worker holding one would keep that worker
        // from seeing the end of its jobs.
        for (const auto& o : others)
            if (o.Fd >= 0) ::close(o.Fd);
        WorkerMain(sv[1], count, work);
    }
    ::close(sv[1]);
    TWorker w;
    w.Pid = pid;
    w.Fd = sv[0];
    return w;
}

std::string EndedMessage(int status) {
    if (WIFSIGNALED(status)) {
        const int sig = WTERMSIG(status);
        return "The report program ended unexpectedly (" + std::string(strsignal(sig)) + ").";
    }
    if (WIFEXITED(status))
        return "The report program ended unexpectedly (exit status " +
               std::to_string(WEXITSTATUS(status)) + ").";
    return "The report program ended unexpectedly.";
}

int Reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

int UsableCores() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        const int n = CPU_COUNT(&set);
        if (n > 0) return n;
    }
    const unsigned n = std::thread::hardware_concurrency();
    return n > 0 ? static_cast<int>(n) : 1;
}

std::vector<TJobResult> RunInWorkers(size_t count, int workers,
                                     const std::function<int(size_t index)>& work,
                                     const std::function<void(size_t, const TJobResult&)>& done) {
    std::vector<TJobResult> results(count);
    if (count == 0) return results;
    if (workers < 1) workers = 1;
    if (static_cast<size_t>(workers) > count) workers = static_cast<int>(count);

    std::vector<TWorker> pool;
    size_t next = 0;
    // Hands the next job to `w`, or closes its socket (the worker then exits) when
    // none is left.
    auto assign = [&](TWorker& w) {
        if (next < count) {
            const uint32_t index = static_cast<uint32_t>(next);
            w.Job = static_cast<long>(next++);
            // A worker that is gone shows up as the end of its socket below.
            SendAll(w.Fd, &index, 4);
        } else {
            ::close(w.Fd);
            w.Fd = -1;
            w.Job = -1;
            Reap(w.Pid);
        }
    };
    try {
        for (int i = 0; i < workers; ++i) pool.push_back(Spawn(count, work, pool));
        for (auto& w : pool) assign(w);
        for (;;) {
            std::vector<pollfd> fds;
            std::vector<size_t> who;
            for (size_t i = 0; i < pool.size(); ++i)
                if (pool[i].Fd >= 0) {
                    fds.push_back(pollfd{pool[i].Fd, POLLIN, 0});
                    who.push_back(i);
                }
            if (fds.empty()) break;
            if (::poll(fds.data(), fds.size(), -1) < 0) {
                if (errno == EINTR) continue;
                throw Error(std::string("Unable to wait for the worker processes. ") +
                            std::strerror(errno));
            }
            for (size_t k = 0; k < fds.size(); ++k) {
                if (!fds[k].revents) continue;
                TWorker& w = pool[who[k]];
                TJobResult r;
                uint32_t index = 0, pages = 0, nwarn = 0;
                char ok = 0;
                bool read = ReadU32(w.Fd, index) && static_cast<long>(index) == w.Job &&
                            ReadAll(w.Fd, &ok, 1) && ReadU32(w.Fd, pages) &&
                            ReadText(w.Fd, r.Message) && ReadU32(w.Fd, nwarn);
                for (uint32_t i = 0; read && i < nwarn; ++i) {
                    r.Warnings.emplace_back();
                    read = ReadText(w.Fd, r.Warnings.back());
                }
                if (read) {
                    r.Ok = ok != 0;
                    r.Pages = static_cast<int>(pages);
                    results[index] = r;
                    done(index, results[index]);
                    assign(w);
                    continue;
                }
                // The worker ended (or garbled its answer) in the middle of a job: that
                // job failed, and a new worker takes over the rest.
                const long job = w.Job;
                ::close(w.Fd);
                w.Fd = -1;
                ::kill(w.Pid, SIGKILL);
                const int status = Reap(w.Pid);
                if (job >= 0) {
                    TJobResult failed;
                    failed.Message = EndedMessage(status);
                    results[static_cast<size_t>(job)] = failed;
                    done(static_cast<size_t>(job), results[static_cast<size_t>(job)]);
                }
                if (next < count) {
                    TWorker fresh = Spawn(count, work, pool);
                    w = fresh;
                    assign(w);
                }
            }
        }
    } catch (...) {
        for (auto& w : pool)
            if (w.Fd >= 0) {
                ::close(w.Fd);
                ::kill(w.Pid, SIGKILL);
                Reap(w.Pid);
            }
        throw;
    }
    return results;
}

}  // namespace velmo::cli
