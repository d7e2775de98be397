#include "convert/BatchRunner.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
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

// The outcomes finished so far; workers fill slots, the caller drains them in order.
class OutcomeBoard {
public:
    OutcomeBoard(std::size_t count, const std::vector<std::size_t>& startOrder)
        : slots_(count), startOrder_(startOrder) {}

    std::optional<std::size_t> TakeWork() {
        std::lock_guard lock(mutex_);
        if (nextToStart_ == slots_.size()) return std::nullopt;
        const std::size_t taken = nextToStart_++;
        return startOrder_.empty() ? taken : startOrder_[taken];
    }

    void Finish(std::size_t index, FileOutcome outcome) {
        {
            std::lock_guard lock(mutex_);
            slots_[index] = std::move(outcome);
            ++finished_;
        }
        changed_.notify_one();
    }

    // Waits until more files have finished than `seen`; returns the new count.
    std::size_t WaitForMore(std::size_t seen) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return finished_ > seen; });
        return finished_;
    }

    // The outcome of `index` if it is ready; taken out of the board.
    std::optional<FileOutcome> TakeReady(std::size_t index) {
        std::lock_guard lock(mutex_);
        return std::exchange(slots_[index], std::nullopt);
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<FileOutcome>> slots_;
    const std::vector<std::size_t>& startOrder_;
    std::size_t nextToStart_ = 0;
    std::size_t finished_ = 0;
};

void WorkerLoop(OutcomeBoard& board, const std::vector<std::string>& files, const FileTask& task) {
    while (const auto index = board.TakeWork()) board.Finish(*index, RunGuarded(task, files[*index]));
}

// Hands over, in order, every outcome that is ready; returns the first index still missing.
std::size_t DrainInOrder(OutcomeBoard& board, std::size_t next, std::size_t count, const OutcomeSink& onOutcome) {
    for (; next < count; ++next) {
        const auto outcome = board.TakeReady(next);
        if (!outcome) break;
        onOutcome(next, *outcome);
    }
    return next;
}

}  // namespace

void RunInInputOrder(const std::vector<std::string>& files, unsigned jobs, const FileTask& task,
                     const OutcomeSink& onOutcome, const ProgressSink& onProgress,
                     const std::vector<std::size_t>& startOrder) {
    if (!startOrder.empty() && startOrder.size() != files.size())
        throw std::invalid_argument("the start order must name every file once");
    OutcomeBoard board(files.size(), startOrder);
    const std::size_t workerCount = std::clamp<std::size_t>(jobs, 1, std::max<std::size_t>(files.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t i = 0; i < workerCount; ++i) workers.emplace_back([&] { WorkerLoop(board, files, task); });
    for (std::size_t finished = 0, next = 0; next < files.size();) {
        finished = board.WaitForMore(finished);
        next = DrainInOrder(board, next, files.size(), onOutcome);
        onProgress(finished);
    }
}
