#include "loading/loading_clipboard_win32.h"

#include "win32/clipboard_snapshot_win32.h"

namespace tavimo::loading {

namespace {

class Snapshot : public SavedClipboard {
  public:
    explicit Snapshot(win32::ClipboardSnapshot copy) : copy_(std::move(copy)) {}
    bool Restore() override { return copy_.Restore(); }
    uint32_t Sequence() const override { return copy_.sequence(); }

  private:
    win32::ClipboardSnapshot copy_;
};

class SnapshotClipboard : public SystemClipboardReader {
  public:
    std::unique_ptr<SavedClipboard> Save() override {
        auto copy = win32::ClipboardSnapshot::Take();
        if (!copy)
            return nullptr;
        return std::make_unique<Snapshot>(std::move(*copy));
    }
};

}  // namespace

std::unique_ptr<LoaderClipboard> MakeSnapshotClipboard() {
    return std::make_unique<SnapshotClipboard>();
}

}  // namespace tavimo::loading
