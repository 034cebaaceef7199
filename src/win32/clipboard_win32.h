// Clipboard text services. The text travels as CF_UNICODETEXT converted with
// code page 936; Windows synthesises CF_TEXT for programs that ask for it.
#pragma once

#include <windows.h>

#include "text/text.h"

namespace tavimo::win32 {

// The window the program opens the clipboard with. Until the main window sets
// itself, each thread uses a hidden window of its own.
void SetClipboardOwner(HWND owner);
HWND ClipboardOwner();

// The clipboard held open for the life of the object.
class ClipboardSession {
  public:
    ClipboardSession() : open_(::OpenClipboard(ClipboardOwner()) != FALSE) {}
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession() {
        if (open_)
            ::CloseClipboard();
    }
    bool open() const { return open_; }

  private:
    bool open_;
};

}  // namespace tavimo::win32

namespace tavimo {

// The clipboard's text; empty when it cannot be opened or holds none.
Text GetClipboardText();
// Replaces the clipboard's contents by the text. False, with the clipboard
// untouched, when it cannot be opened; false, with it left empty, when the
// memory or the hand-off fails.
bool SetClipboardText(const Text& text);

}  // namespace tavimo
