// The system clipboard as the document loader uses it.
#pragma once

#include <windows.h>

#include <memory>

#include "loading/automation.h"
#include "text/sleep.h"
#include "win32/clipboard_win32.h"

namespace tavimo::loading {

// Reading is the same whatever keeps the copy; Save is left to the owner of it.
class SystemClipboardReader : public LoaderClipboard {
  public:
    // Text that is there but cannot be read at once (another program holds
    // the clipboard open for a moment) is waited for briefly.
    Text ReadText() override {
        for (int attempt = 0; attempt < 50; ++attempt) {
            Text text = GetClipboardText();
            if (!text.empty() || !::IsClipboardFormatAvailable(CF_UNICODETEXT))
                return text;
            SleepMs(10);
        }
        return Text();
    }
    uint32_t Sequence() override { return ::GetClipboardSequenceNumber(); }
    bool HoldsAnything() override { return ::CountClipboardFormats() > 0; }
};

// Keeps every format through the shared clipboard snapshot.
std::unique_ptr<LoaderClipboard> MakeSnapshotClipboard();

}  // namespace tavimo::loading
