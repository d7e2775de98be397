#pragma once
// Owner-thread queues: a worker thread hands steps to the thread that owns its canvases (the
// user-interface thread, or a conversion worker of the command-line tool), which carries them
// out in its event loop and inside every wait for a worker. Each thread has a queue of its own.

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

using OwnerStep = std::function<void()>;
class OwnerQueue;

// The calling thread's queue, made on first use.
std::shared_ptr<OwnerQueue> CurrentOwnerQueue();
// Queues a step for the queue's thread and returns at once.
void PostToOwnerThread(const std::shared_ptr<OwnerQueue>& owner, OwnerStep step);
// Queues a step and blocks until the queue's thread has run it; on that thread itself, runs it
// at once. A step the owner has not begun within `timeout` is withdrawn and false returned; one
// it has begun is waited for to its end.
bool RunOnOwnerThread(const std::shared_ptr<OwnerQueue>& owner, const OwnerStep& step,
                      std::chrono::milliseconds timeout);
// Runs every step queued so far for the calling thread; returns how many ran. A failing step
// leaves the others to run, and the first failure is raised at the end.
int ServiceOwnerThread();
// Waits until a step is queued for the calling thread or the timeout passes, then services the
// queue. Waits for a worker use this instead of sleeping, so a worker blocked on a step proceeds.
int WaitAndServiceOwnerThread(std::chrono::milliseconds timeout);
// Called whenever a step is queued for the calling thread, from the queuing thread; an event
// loop sets it to wake itself. Null clears it, waiting for a call under way.
void SetOwnerThreadWakeUp(std::function<void()> wakeUp);

}  // namespace platform
