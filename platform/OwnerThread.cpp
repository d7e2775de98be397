#include "platform/OwnerThread.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

namespace platform {

class OwnerQueue {
public:
    std::mutex lock;
    std::condition_variable posted;
    std::deque<OwnerStep> steps;
    std::mutex wakeUpLock;  // held while the wake-up runs, so clearing it waits for that call
    std::function<void()> wakeUp;
};

namespace {

// A step that a waiting worker blocks on until the owner has run it, or withdraws.
struct Completion {
    std::mutex lock;
    std::condition_variable done;
    bool started = false;
    bool finished = false;
    bool withdrawn = false;
};

}  // namespace

std::shared_ptr<OwnerQueue> CurrentOwnerQueue() {
    thread_local const std::shared_ptr<OwnerQueue> queue = std::make_shared<OwnerQueue>();
    return queue;
}

void SetOwnerThreadWakeUp(std::function<void()> wakeUp) {
    OwnerQueue& q = *CurrentOwnerQueue();
    std::lock_guard wakeGuard(q.wakeUpLock);
    q.wakeUp = std::move(wakeUp);
}

void PostToOwnerThread(const std::shared_ptr<OwnerQueue>& owner, OwnerStep step) {
    OwnerQueue& q = *owner;
    std::lock_guard wakeGuard(q.wakeUpLock);
    {
        std::lock_guard guard(q.lock);
        q.steps.push_back(std::move(step));
    }
    q.posted.notify_all();
    if (q.wakeUp) q.wakeUp();
}

bool RunOnOwnerThread(const std::shared_ptr<OwnerQueue>& owner, const OwnerStep& step,
                      std::chrono::milliseconds timeout) {
    if (owner == CurrentOwnerQueue()) {
        step();
        return true;
    }
    auto completion = std::make_shared<Completion>();
    PostToOwnerThread(owner, [completion, &step] {
        {
            std::lock_guard guard(completion->lock);
            if (completion->withdrawn) return;  // the worker has gone on; `step` may be gone too
            completion->started = true;
        }
        completion->done.notify_all();
        struct Finish {
            Completion& c;
            ~Finish() {
                std::lock_guard guard(c.lock);
                c.finished = true;
                c.done.notify_all();
            }
        } finish{*completion};
        step();
    });
    std::unique_lock guard(completion->lock);
    if (completion->done.wait_for(guard, timeout, [&] { return completion->started; })) {
        // Begun: the step refers to the worker's own state, so the worker stays until it ends.
        completion->done.wait(guard, [&] { return completion->finished; });
        return true;
    }
    completion->withdrawn = true;
    return false;
}

int ServiceOwnerThread() {
    OwnerQueue& q = *CurrentOwnerQueue();
    std::deque<OwnerStep> steps;
    {
        std::lock_guard guard(q.lock);
        steps.swap(q.steps);
    }
    std::exception_ptr failure;
    for (OwnerStep& step : steps) {
        try {
            step();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
    return int(steps.size());
}

int WaitAndServiceOwnerThread(std::chrono::milliseconds timeout) {
    OwnerQueue& q = *CurrentOwnerQueue();
    {
        std::unique_lock guard(q.lock);
        q.posted.wait_for(guard, timeout, [&] { return !q.steps.empty(); });
    }
    return ServiceOwnerThread();
}

}  // namespace platform
