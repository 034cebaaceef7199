// Wires the drop target 拖放对象1 and the timer 时钟2 to the loading handlers.
// The main window calls these from its created handler, its close and its
// 时钟2 tick; everything runs on the user-interface thread.
#pragma once

#include <oleidl.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "app/app_view.h"
#include "loading/automation.h"
#include "web/web_search.h"

namespace tavimo::loading {

struct DocumentDropSetup {
    AppView* view = nullptr;
    Browser* browser = nullptr;
    HWND box = nullptr;  // painted at once when it shows the loading message
    std::function<void(int32_t periodMs)> setPasteTimer;  // 时钟2; 0 stops it
    std::unique_ptr<LoaderClipboard> clipboard;  // the program passes MakeSnapshotClipboard()
    std::unique_ptr<AutoFactory> suites;         // defaults to the registered suites
};

// Registers the window for OLE drops of files (OLE must be initialised on
// this thread). False when the registration fails.
bool RegisterDocumentDrop(HWND window, DocumentDropSetup setup);
// Before the window is destroyed; gives back a clipboard still waiting for a paste.
void RevokeDocumentDrop(HWND window);
// 时钟2's tick.
void OnDocumentPasteTimer(AppView& view);
// The registered target itself (null when none), for driving drops directly.
IDropTarget* DocumentDropTarget();

}  // namespace tavimo::loading
