// The got-file handler of the drop target 拖放对象1 and the paste fallback of
// the timer 时钟2.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/app_view.h"
#include "loading/document_loader.h"
#include "text/text.h"
#include "web/web_search.h"

namespace tavimo::loading {

// One drop of files: the event's text (one path, or every path followed by CR
// LF) and each exact wide path beside it.
struct GotFileEvent {
    Text text;
    std::vector<std::u16string> widePaths;
};
GotFileEvent MakeGotFileEvent(const std::vector<std::u16string>& widePaths);

// What the handlers need of the shell.
class LoadingShell {
  public:
    virtual ~LoadingShell() = default;
    // Paints the box now, so its message shows while a slow suite works.
    virtual void PaintBox() = 0;
    virtual LoadResult LoadDocument(const DocumentPath& path) = 0;
    // 时钟2's period in milliseconds; 0 stops it.
    virtual void SetPasteTimer(int32_t periodMs) = 0;
};

// The short name shown in a failure caption (after the last path separator).
Text FileNameOf(const Text& path);

class DocumentDrop {
  public:
    explicit DocumentDrop(LoadingShell& shell) : shell_(shell) {}
    DocumentDrop(const DocumentDrop&) = delete;
    DocumentDrop& operator=(const DocumentDrop&) = delete;
    ~DocumentDrop();

    void OnGotFile(AppView& view, Browser& browser, const GotFileEvent& event);
    void OnPasteTimer(AppView& view);

  private:
    void RestorePendingClipboard();

    LoadingShell& shell_;
    std::unique_ptr<SavedClipboard> pendingRestore_;
    // While a paste waits: the text the box had before, and the file's name.
    Text pendingPrevious_;
    Text pendingName_;
};

}  // namespace tavimo::loading
