#include "app/job_guard.h"

namespace tavimo {

namespace {
bool gBusy = false;
bool gClosePending = false;
void (*gClose)(void*) = nullptr;
void* gCloseContext = nullptr;
}  // namespace

JobGuard::JobGuard() : acquired_(!gBusy) {
    if (acquired_)
        gBusy = true;
}

JobGuard::~JobGuard() {
    if (!acquired_)
        return;
    gBusy = false;
    if (gClosePending) {
        gClosePending = false;
        if (gClose)
            gClose(gCloseContext);
    }
}

bool JobGuard::Busy() {
    return gBusy;
}

void JobGuard::SetDeferredClose(void (*close)(void*), void* context) {
    gClose = close;
    gCloseContext = context;
}

bool JobGuard::DeferClose() {
    if (!gBusy)
        return false;
    gClosePending = true;
    return true;
}

}  // namespace tavimo
