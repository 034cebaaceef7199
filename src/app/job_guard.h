// One policy for every long job on the user-interface thread (a search, a
// navigation step, a document load, the paste fallback, a capture's steps):
// one busy flag; a job that arrives while another runs is dropped, never
// queued, and nothing waits for a job from inside a nested dispatch.
#pragma once

namespace tavimo {

class JobGuard {
  public:
    JobGuard();
    JobGuard(const JobGuard&) = delete;
    JobGuard& operator=(const JobGuard&) = delete;
    ~JobGuard();

    // False when another job was running: the caller drops its request.
    bool acquired() const { return acquired_; }

    static bool Busy();

    // A close asked for while a job runs is carried out when it returns.
    static void SetDeferredClose(void (*close)(void* context), void* context);
    static bool DeferClose();  // true when a job runs and the close was deferred

  private:
    bool acquired_;
};

}  // namespace tavimo
