#include "loading/document_drop_win32.h"

#include <ole2.h>

#include "loading/dispatch_calls_win32.h"
#include "loading/document_drop.h"
#include "loading/drop_target_win32.h"
#include "loading/rtf_reader_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::loading {

namespace {

constexpr UINT kDropQueued = WM_APP + 0x41;
constexpr wchar_t kWindowClass[] = L"TavimoDocumentDrop";

class Session : public LoadingShell {
  public:
    explicit Session(DocumentDropSetup setup) : setup_(std::move(setup)) {
        if (!setup_.suites)
            setup_.suites = std::make_unique<DispatchFactory>();
    }
    ~Session() override {
        if (registered_)
            ::RevokeDragDrop(window_);
    }

    bool Register(HWND window) {
        notify_.reset(::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
        if (!notify_)
            return false;
        target_ = ComPtr<FileDropTarget>(new FileDropTarget(notify_.get(), kDropQueued));
        window_ = window;
        registered_ = SUCCEEDED(::RegisterDragDrop(window, target_.get()));
        return registered_;
    }
    HWND window() const { return window_; }
    IDropTarget* target() const { return target_.get(); }

    // One queued drop for each message; taken off the queue before it runs, so
    // a drop that arrives during a load is dropped by the busy flag, not replayed.
    void RunQueuedDrop() {
        auto paths = target_ ? target_->TakeDrop() : std::nullopt;
        if (!paths || !setup_.view || !setup_.browser)
            return;
        drop_.OnGotFile(*setup_.view, *setup_.browser, MakeGotFileEvent(*paths));
    }
    void PasteTimer(AppView& view) { drop_.OnPasteTimer(view); }

    void PaintBox() override {
        if (setup_.box)
            ::UpdateWindow(setup_.box);
    }
    LoadResult LoadDocument(const DocumentPath& path) override {
        if (!setup_.clipboard)
            return {};
        DocumentSources sources{*setup_.suites, *setup_.clipboard, ReadRtfWithRichEdit};
        return LoadDocumentText(path, sources);
    }
    void SetPasteTimer(int32_t periodMs) override {
        if (setup_.setPasteTimer)
            setup_.setPasteTimer(periodMs);
    }

  private:
    DocumentDropSetup setup_;
    DocumentDrop drop_{*this};
    win32::UniqueWindow notify_;
    ComPtr<FileDropTarget> target_;
    HWND window_ = nullptr;
    bool registered_ = false;
};

std::unique_ptr<Session> gSession;

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kDropQueued) {
        try {
            if (gSession)
                gSession->RunQueuedDrop();
        } catch (...) {
            // A load that failed this way loads nothing; the window goes on.
        }
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

bool RegisterNotifyClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = NotifyProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

// These run from the main window's handlers: nothing may leave them.
bool RegisterDocumentDrop(HWND window, DocumentDropSetup setup) {
    try {
        gSession.reset();
        if (!RegisterNotifyClass())
            return false;
        auto session = std::make_unique<Session>(std::move(setup));
        if (!session->Register(window))
            return false;
        gSession = std::move(session);
        return true;
    } catch (...) {
        return false;
    }
}

void RevokeDocumentDrop(HWND window) {
    try {
        if (gSession && gSession->window() == window)
            gSession.reset();
    } catch (...) {
    }
}

void OnDocumentPasteTimer(AppView& view) {
    try {
        if (gSession)
            gSession->PasteTimer(view);
    } catch (...) {
    }
}

IDropTarget* DocumentDropTarget() {
    return gSession ? gSession->target() : nullptr;
}

}  // namespace tavimo::loading
