#pragma once
// The owner-thread queue: worker threads hand steps to the user-interface thread, which carries
// them out in its event loop and inside every wait for a worker.

#include <chrono>
#include <functional>

namespace platform {

using OwnerStep = std::function<void()>;

// Queues a step for the owner thread and returns at once.
void PostToOwnerThread(OwnerStep step);
// Queues a step and blocks until the owner thread has run it (or dropped it as cancelled).
// Called on the owner thread itself, it runs the step at once.
void RunOnOwnerThread(const OwnerStep& step);
// Runs every step queued so far; returns how many ran. Only the owner thread calls it.
int ServiceOwnerThread();
// Waits until a step is queued or the timeout passes, then services the queue. Waits of the
// owner thread for a worker use this instead of sleeping, so a worker blocked on a step proceeds.
int WaitAndServiceOwnerThread(std::chrono::milliseconds timeout);
// Called whenever a step is queued, from the queuing thread; the event loop sets it to wake
// itself. Null clears it.
void SetOwnerThreadWakeUp(std::function<void()> wakeUp);
// The thread that services the queue: the first one to service it, or the one set here.
void SetOwnerThread();
bool IsOwnerThread();

}  // namespace platform
