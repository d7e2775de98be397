#pragma once
// Converts files on worker threads, one file per worker at a time, and hands the outcomes to
// the caller's thread in input order, whatever order the workers finish in. The command-line
// tool waits for the whole run; the window polls a BatchRun from its event loop and may stop it.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/conversion/FileOutcome.h"

using FileTask = std::function<FileOutcome(const std::string& source)>;
// Called on the caller's thread, once per file, in input order.
using OutcomeSink = std::function<void(std::size_t index, const FileOutcome& outcome)>;
// Called on the caller's thread whenever another file is finished, in any order.
using ProgressSink = std::function<void(std::size_t finished)>;

// One worker per core.
unsigned DefaultJobs();

// `startOrder` is the order the workers take the files in (indices into `files`); empty means
// input order. It changes only when each file is done, never the order of the report.
void RunInInputOrder(const std::vector<std::string>& files, unsigned jobs, const FileTask& task,
                     const OutcomeSink& onOutcome, const ProgressSink& onProgress,
                     const std::vector<std::size_t>& startOrder = {});

// One run of files on its own workers, started at once.
class BatchRun {
public:
    // `onFinished`, when set, is called on a worker thread each time a file is finished: the
    // place to wake the caller's event loop. It must not call back into the run.
    BatchRun(std::vector<std::string> files, unsigned jobs, FileTask task, std::vector<std::size_t> startOrder = {},
             std::function<void()> onFinished = {});
    // Stops the run and waits for the files in progress, at most kWorkerWaitBound; workers still
    // busy after that finish their file on their own, and their outcome is dropped.
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    static constexpr std::chrono::seconds kWorkerWaitBound{60};

    // No further file is started; the files in progress finish completely.
    void Stop();
    // Waits at most `timeout` until more than `seen` files are finished; returns how many are.
    std::size_t WaitForMore(std::size_t seen, std::chrono::milliseconds timeout);
    // Hands over, in input order, every outcome that is ready; files a stop left unstarted are
    // passed over.
    void Drain(const OutcomeSink& onOutcome);
    // Every file is handed over or was left unstarted by a stop.
    bool Done() const;
    std::size_t Finished() const;
    std::size_t Unstarted() const;

private:
    class Board;
    std::shared_ptr<Board> board_;
    std::vector<std::thread> workers_;
    std::size_t next_ = 0;  // the first index not yet handed over
};
