#include "platform/OwnerThread.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {
namespace {

struct Queue {
    std::mutex lock;
    std::condition_variable posted;
    std::deque<OwnerStep> steps;
    std::function<void()> wakeUp;
    std::mutex wakeUpLock;  // held while the wake-up runs, so clearing it waits for that call
    std::thread::id owner;
    bool ownerSet = false;
};

Queue& TheQueue() {
    static Queue* queue = new Queue;  // outlives every static destructor that might post
    return *queue;
}

// A step that a waiting worker blocks on until the owner has run it.
struct Completion {
    std::mutex lock;
    std::condition_variable done;
    bool finished = false;
};

}  // namespace

void SetOwnerThread() {
    Queue& q = TheQueue();
    std::lock_guard guard(q.lock);
    q.owner = std::this_thread::get_id();
    q.ownerSet = true;
}

bool IsOwnerThread() {
    Queue& q = TheQueue();
    std::lock_guard guard(q.lock);
    return !q.ownerSet || q.owner == std::this_thread::get_id();
}

void SetOwnerThreadWakeUp(std::function<void()> wakeUp) {
    Queue& q = TheQueue();
    std::lock_guard wakeGuard(q.wakeUpLock);
    std::lock_guard guard(q.lock);
    q.wakeUp = std::move(wakeUp);
}

void PostToOwnerThread(OwnerStep step) {
    Queue& q = TheQueue();
    std::lock_guard wakeGuard(q.wakeUpLock);
    {
        std::lock_guard guard(q.lock);
        q.steps.push_back(std::move(step));
    }
    q.posted.notify_all();
    if (q.wakeUp) q.wakeUp();
}

void RunOnOwnerThread(const OwnerStep& step) {
    if (IsOwnerThread()) return step();
    auto completion = std::make_shared<Completion>();
    PostToOwnerThread([completion, &step] {
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
    completion->done.wait(guard, [&] { return completion->finished; });
}

int ServiceOwnerThread() {
    Queue& q = TheQueue();
    std::deque<OwnerStep> steps;
    {
        std::lock_guard guard(q.lock);
        if (!q.ownerSet) {
            q.owner = std::this_thread::get_id();
            q.ownerSet = true;
        }
        steps.swap(q.steps);
    }
    // A failing step leaves the others to run; the first failure is raised at the end.
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
    Queue& q = TheQueue();
    {
        std::unique_lock guard(q.lock);
        q.posted.wait_for(guard, timeout, [&] { return !q.steps.empty(); });
    }
    return ServiceOwnerThread();
}

}  // namespace platform
