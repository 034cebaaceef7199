#include "capture/worker_thread_win32.h"

#include <windows.h>

#include "capture/capture_dispatch_win32.h"
#include "capture/foreground_win32.h"
#include "capture/keys_win32.h"
#include "text/sleep.h"
#include "win32/clipboard_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::capture {

std::optional<uint32_t> SnapshotClipboard::Save() {
    saved_ = win32::ClipboardSnapshot::Take();
    if (!saved_)
        return std::nullopt;
    return saved_->sequence();
}

bool SnapshotClipboard::Restore() {
    return saved_ && saved_->Restore();
}

Text SnapshotClipboard::ReadText() {
    return GetClipboardText();
}

uint32_t SnapshotClipboard::SequenceNumber() {
    return ::GetClipboardSequenceNumber();
}

void CaptureWorker() {
    SnapshotClipboard clipboard;
    KeybdEventSender keys;
    ForegroundWindowProbe foreground;
    AsyncModifierProbe modifiers;
    SentCaptureUi ui;
    CaptureSeams seams{clipboard, keys, foreground, modifiers, ui, TheCaptureState(), SleepMs};
    RunCapture(seams);
}

namespace {

DWORD WINAPI CaptureThreadEntry(LPVOID) {
    try {
        CaptureWorker();
    } catch (...) {
        // Nothing may leave a thread entry; the run simply ends.
    }
    TheCaptureState().End();
    return 0;
}

}  // namespace

bool StartCaptureWorker() {
    return StartCapture(TheCaptureState(), [] {
        win32::UniqueHandle thread(
            ::CreateThread(nullptr, 0, CaptureThreadEntry, nullptr, 0, nullptr));
        return static_cast<bool>(thread);
    });
}

}  // namespace tavimo::capture
