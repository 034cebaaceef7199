// The capture worker's thread and the real clipboard it works on.
#pragma once

#include <optional>

#include "capture/capture_worker.h"
#include "win32/clipboard_snapshot_win32.h"

namespace tavimo::capture {

// The Windows clipboard, saved whole through a ClipboardSnapshot.
class SnapshotClipboard : public CaptureClipboard {
  public:
    std::optional<uint32_t> Save() override;
    bool Restore() override;
    Text ReadText() override;
    uint32_t SequenceNumber() override;

  private:
    std::optional<win32::ClipboardSnapshot> saved_;
};

// One capture on the calling thread, with the real seams.
void CaptureWorker();

// Starts CaptureWorker on a new thread (the handle is closed at once); false,
// and the drag dropped, while another capture runs or when no thread starts.
bool StartCaptureWorker();

}  // namespace tavimo::capture
