// The parallel runner: every file exactly once, outcomes in input order whatever the finishing
// order, and failures that escape a task kept to their own file.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

#include "app/conversion/BatchRunner.h"

namespace {

std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("file" + std::to_string(i));
    return names;
}

FileOutcome Converted(const std::string& source) {
    FileOutcome outcome = FailureOf(source, "");
    outcome.kind = OutcomeKind::Converted;
    return outcome;
}

struct Recorded {
    std::vector<std::size_t> indices;
    std::vector<std::string> sources;
    std::vector<std::size_t> progress;
};

Recorded RunBatch(const std::vector<std::string>& files, unsigned jobs, const FileTask& task) {
    Recorded recorded;
    const auto caller = std::this_thread::get_id();
    RunInInputOrder(
        files, jobs, task,
        [&](std::size_t index, const FileOutcome& outcome) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            recorded.indices.push_back(index);
            recorded.sources.push_back(outcome.source);
        },
        [&](std::size_t finished) { recorded.progress.push_back(finished); });
    return recorded;
}

class BatchRunnerJobs : public testing::TestWithParam<unsigned> {};

// Earlier files sleep longer, so with several workers they finish last.
TEST_P(BatchRunnerJobs, DeliversInInputOrderWhateverTheFinishingOrder) {
    const auto files = Names(8);
    const Recorded recorded = RunBatch(files, GetParam(), [](const std::string& source) {
        const int index = std::stoi(source.substr(4));
        std::this_thread::sleep_for(std::chrono::milliseconds(2 * (8 - index)));
        return Converted(source);
    });
    EXPECT_EQ(recorded.sources, files);
    for (std::size_t i = 0; i < recorded.indices.size(); ++i) EXPECT_EQ(recorded.indices[i], i);
    ASSERT_FALSE(recorded.progress.empty());
    EXPECT_EQ(recorded.progress.back(), files.size());
    EXPECT_TRUE(std::is_sorted(recorded.progress.begin(), recorded.progress.end()));
}

INSTANTIATE_TEST_SUITE_P(Workers, BatchRunnerJobs, testing::Values(1u, 2u, 3u, 16u));

TEST(BatchRunner, ConvertsEachFileOnceOnUpToJobsThreads) {
    const auto files = Names(12);
    std::mutex mutex;
    std::multiset<std::string> seen;
    std::set<std::thread::id> threads;
    std::atomic<int> running{0}, mostRunning{0};
    RunBatch(files, 3, [&](const std::string& source) {
        const int now = ++running;
        for (int most = mostRunning; now > most && !mostRunning.compare_exchange_weak(most, now);) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        {
            std::lock_guard lock(mutex);
            seen.insert(source);
            threads.insert(std::this_thread::get_id());
        }
        --running;
        return Converted(source);
    });
    EXPECT_EQ(seen, std::multiset<std::string>(files.begin(), files.end()));
    EXPECT_LE(threads.size(), 3u);
    EXPECT_LE(mostRunning.load(), 3);
    EXPECT_FALSE(threads.contains(std::this_thread::get_id()));  // the caller only reports
}

TEST(BatchRunner, SingleJobRunsStrictlyOneAtATime) {
    std::atomic<int> running{0};
    bool overlapped = false;
    RunBatch(Names(5), 1, [&](const std::string& source) {
        overlapped |= ++running > 1;
        --running;
        return Converted(source);
    });
    EXPECT_FALSE(overlapped);
}

TEST(BatchRunner, EscapingExceptionsBecomeFailuresOfTheirFileOnly) {
    std::vector<FileOutcome> outcomes;
    RunInInputOrder(
        {"ok", "throws", "odd"}, 2,
        [](const std::string& source) -> FileOutcome {
            if (source == "throws") throw std::runtime_error("disk on fire");
            if (source == "odd") throw 42;
            return Converted(source);
        },
        [&](std::size_t, const FileOutcome& outcome) { outcomes.push_back(outcome); }, [](std::size_t) {});
    ASSERT_EQ(outcomes.size(), 3u);
    EXPECT_EQ(outcomes[0].kind, OutcomeKind::Converted);
    EXPECT_EQ(outcomes[1].kind, OutcomeKind::Failed);
    EXPECT_EQ(outcomes[1].source, "throws");
    EXPECT_EQ(outcomes[1].message, "disk on fire");
    EXPECT_EQ(outcomes[2].kind, OutcomeKind::Failed);
    EXPECT_FALSE(outcomes[2].message.empty());
}

TEST(BatchRunner, NoFilesReportsNothing) {
    const Recorded recorded = RunBatch({}, 4, [](const std::string& source) { return Converted(source); });
    EXPECT_TRUE(recorded.sources.empty());
    EXPECT_TRUE(recorded.progress.empty());
}

TEST(BatchRunner, WorkersFollowTheStartOrderButTheReportKeepsInputOrder) {
    std::vector<std::string> started;
    std::vector<std::string> reported;
    RunInInputOrder(
        Names(4), 1,
        [&](const std::string& source) {
            started.push_back(source);  // one worker: no lock needed
            return Converted(source);
        },
        [&](std::size_t, const FileOutcome& outcome) { reported.push_back(outcome.source); }, [](std::size_t) {},
        {2, 0, 3, 1});
    EXPECT_EQ(started, (std::vector<std::string>{"file2", "file0", "file3", "file1"}));
    EXPECT_EQ(reported, Names(4));
}

// The window's use: a stop lets the file in progress finish and starts no other, every wait is
// bounded, and the caller is woken once per finished file.
TEST(BatchRunner, StopFinishesTheFileInProgressAndStartsNoOther) {
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    std::atomic<bool> firstStarted{false};
    std::atomic<int> wakes{0};
    auto owned = std::make_unique<BatchRun>(
        Names(5), 1,
        [&](const std::string& source) {
            firstStarted = true;
            std::unique_lock lock(mutex);
            released.wait_for(lock, std::chrono::seconds(30), [&] { return release; });
            return Converted(source);
        },
        std::vector<std::size_t>{}, [&] { ++wakes; });
    BatchRun& run = *owned;
    for (int i = 0; i < 3000 && !firstStarted; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(firstStarted);
    EXPECT_EQ(run.WaitForMore(0, std::chrono::milliseconds(20)), 0u);  // nothing finished: the wait ends
    run.Stop();
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    released.notify_all();
    std::vector<std::string> reported;
    for (int i = 0; i < 300 && !run.Done(); ++i) {
        run.WaitForMore(run.Finished(), std::chrono::milliseconds(100));
        run.Drain([&](std::size_t, const FileOutcome& outcome) { reported.push_back(outcome.source); });
    }
    EXPECT_TRUE(run.Done());
    EXPECT_EQ(reported, std::vector<std::string>{"file0"});
    EXPECT_EQ(run.Unstarted(), 4u);
    owned.reset();  // the worker may still be between its last outcome and its wake
    EXPECT_EQ(wakes, 1);
}

TEST(BatchRunner, StartOrderMustCoverEveryFile) {
    const auto task = [](const std::string& source) { return Converted(source); };
    EXPECT_THROW(RunInInputOrder(
                     Names(3), 2, task, [](std::size_t, const FileOutcome&) {}, [](std::size_t) {}, {0, 1}),
                 std::invalid_argument);
}

}  // namespace
