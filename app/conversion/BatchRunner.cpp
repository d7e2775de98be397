#include "app/conversion/BatchRunner.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>

namespace {

// A task is meant to turn its own failures into outcomes; this is the last safety net, so
// that one file can never take the whole batch down.
FileOutcome RunGuarded(const FileTask& task, const std::string& source) {
    try {
        return task(source);
    } catch (const std::exception& error) {
        return FailureOf(source, error.what());
    } catch (...) {
        return FailureOf(source, "unknown failure");
    }
}

// How long the tool sleeps between looks at its progress when no file finishes.
constexpr std::chrono::milliseconds kProgressLook{200};

}  // namespace

// The files and their outcomes, shared by the caller and the workers; a worker keeps it alive
// while it finishes a file after the run has given up waiting for it.
class BatchRun::Board {
public:
    Board(std::vector<std::string> files, FileTask task, std::vector<std::size_t> startOrder,
          std::function<void()> onFinished)
        : files_(std::move(files)), task_(std::move(task)), startOrder_(std::move(startOrder)),
          onFinished_(std::move(onFinished)), slots_(files_.size()), unstarted_(files_.size(), false) {}

    void Work() {
        while (const auto index = TakeWork()) {
            FileOutcome outcome = RunGuarded(task_, files_[*index]);
            Finish(*index, std::move(outcome));
            if (onFinished_) onFinished_();
        }
        std::lock_guard lock(mutex_);
        --liveWorkers_;
        changed_.notify_all();
    }

    void WorkerStarted() {
        std::lock_guard lock(mutex_);
        ++liveWorkers_;
    }

    void Stop() {
        std::lock_guard lock(mutex_);
        for (; nextToStart_ < files_.size(); ++nextToStart_) unstarted_[StartIndex(nextToStart_)] = true;
        changed_.notify_all();
    }

    std::size_t WaitForMore(std::size_t seen, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return finished_ > seen || AllAccounted(); });
        return finished_;
    }

    bool WaitForWorkers(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return liveWorkers_ == 0; });
    }

    // Hands over the ready outcomes from `next` on; returns the first index still missing.
    std::size_t Drain(std::size_t next, const OutcomeSink& onOutcome) {
        for (; next < slots_.size(); ++next) {
            std::optional<FileOutcome> outcome;
            {
                std::lock_guard lock(mutex_);
                if (unstarted_[next]) continue;
                outcome = std::exchange(slots_[next], std::nullopt);
            }
            if (!outcome) break;
            onOutcome(next, *outcome);
        }
        return next;
    }

    std::size_t Count() const { return files_.size(); }
    std::size_t Finished() const {
        std::lock_guard lock(mutex_);
        return finished_;
    }
    std::size_t Unstarted() const {
        std::lock_guard lock(mutex_);
        return std::size_t(std::count(unstarted_.begin(), unstarted_.end(), true));
    }

private:
    std::size_t StartIndex(std::size_t taken) const { return startOrder_.empty() ? taken : startOrder_[taken]; }
    bool AllAccounted() const { return nextToStart_ == files_.size() && liveWorkers_ == 0; }

    std::optional<std::size_t> TakeWork() {
        std::lock_guard lock(mutex_);
        if (nextToStart_ == files_.size()) return std::nullopt;
        return StartIndex(nextToStart_++);
    }

    void Finish(std::size_t index, FileOutcome outcome) {
        {
            std::lock_guard lock(mutex_);
            slots_[index] = std::move(outcome);
            ++finished_;
        }
        changed_.notify_all();
    }

    const std::vector<std::string> files_;
    const FileTask task_;
    const std::vector<std::size_t> startOrder_;
    const std::function<void()> onFinished_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<FileOutcome>> slots_;
    std::vector<bool> unstarted_;
    std::size_t nextToStart_ = 0;
    std::size_t finished_ = 0;
    int liveWorkers_ = 0;
};

BatchRun::BatchRun(std::vector<std::string> files, unsigned jobs, FileTask task, std::vector<std::size_t> startOrder,
                   std::function<void()> onFinished) {
    if (!startOrder.empty() && startOrder.size() != files.size())
        throw std::invalid_argument("the start order must name every file once");
    const std::size_t workerCount = std::clamp<std::size_t>(jobs, 1, std::max<std::size_t>(files.size(), 1));
    board_ = std::make_shared<Board>(std::move(files), std::move(task), std::move(startOrder), std::move(onFinished));
    for (std::size_t i = 0; i < workerCount; ++i) {
        board_->WorkerStarted();
        workers_.emplace_back([board = board_] { board->Work(); });
    }
}

BatchRun::~BatchRun() {
    Stop();
    const bool finished = board_->WaitForWorkers(kWorkerWaitBound);
    for (std::thread& worker : workers_) {
        if (finished) worker.join();
        else worker.detach();
    }
}

void BatchRun::Stop() { board_->Stop(); }

std::size_t BatchRun::WaitForMore(std::size_t seen, std::chrono::milliseconds timeout) {
    return board_->WaitForMore(seen, timeout);
}

void BatchRun::Drain(const OutcomeSink& onOutcome) { next_ = board_->Drain(next_, onOutcome); }

bool BatchRun::Done() const { return next_ == board_->Count(); }

std::size_t BatchRun::Finished() const { return board_->Finished(); }

std::size_t BatchRun::Unstarted() const { return board_->Unstarted(); }

unsigned DefaultJobs() { return std::max(1u, std::thread::hardware_concurrency()); }

void RunInInputOrder(const std::vector<std::string>& files, unsigned jobs, const FileTask& task,
                     const OutcomeSink& onOutcome, const ProgressSink& onProgress,
                     const std::vector<std::size_t>& startOrder) {
    BatchRun run(files, jobs, task, startOrder);
    for (std::size_t finished = 0; !run.Done();) {
        const std::size_t now = run.WaitForMore(finished, kProgressLook);
        run.Drain(onOutcome);
        if (now != finished) onProgress(finished = now);
    }
}
