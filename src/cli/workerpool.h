#pragma once
// Jobs spread over worker processes. The report code keeps process-wide state (the
// font metrics and picture caches, the warning handler, Qt's application object), so
// several reports at once run in separate processes: each worker is forked from the
// caller before it has started Qt or any thread, renders one job after another on
// its own, and hands each result back over a socket. The next job goes to whichever
// worker finishes first.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace velmo::cli {

struct TJobResult {
    bool Ok = false;
    int Pages = 0;
    std::string Message;                // the error when !Ok
    std::vector<std::string> Warnings;  // what the job warned about, in order
};

// Runs `work(i)` for every i in [0, count) in at most `workers` processes and returns
// the results by index. `work` runs in a worker: an exception from it is that job's
// failure (its message kept), and so is a worker that ends in the middle of a job (a
// crash); a new worker takes over the jobs still waiting. `done(i, result)` runs in the
// calling process as each job finishes, in the order they finish. The caller must not
// have started any thread (Qt included): the workers are forked without exec.
std::vector<TJobResult> RunInWorkers(size_t count, int workers,
                                     const std::function<int(size_t index)>& work,
                                     const std::function<void(size_t, const TJobResult&)>& done);

// The number of processors this process may run on (at least 1).
int UsableCores();

}  // namespace velmo::cli
