#include "loading/document_drop.h"

#include <algorithm>

#include "app/globals.h"
#include "app/job_guard.h"
#include "text/codepage.h"
#include "text/display_count.h"

namespace tavimo::loading {

namespace {

Text FailureCaption(const Text& name) {
    return Concat(FromUtf8("未能载入文档："), name, FromUtf8("（原有文本已保留）"));
}

}  // namespace

GotFileEvent MakeGotFileEvent(const std::vector<std::u16string>& widePaths) {
    GotFileEvent event;
    event.widePaths = widePaths;
    if (widePaths.size() == 1) {
        event.text = Text(Utf16ToCp936(widePaths[0]));
    } else {
        std::string joined;
        for (const auto& p : widePaths)
            joined += Utf16ToCp936(p) + "\r\n";
        event.text = Text(joined);
    }
    return event;
}

Text FileNameOf(const Text& path) {
    // Character by character: a trail byte of code page 936 may be '\'.
    std::string_view bytes = path.view();
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); i += CharWidthAt(bytes, i)) {
        if (bytes[i] == '\\' || bytes[i] == '/')
            start = i + 1;
    }
    return Text(bytes.substr(std::min(start, bytes.size())));
}

DocumentDrop::~DocumentDrop() {
    RestorePendingClipboard();
}

void DocumentDrop::RestorePendingClipboard() {
    if (pendingRestore_)
        pendingRestore_->Restore();
    pendingRestore_.reset();
    pendingPrevious_ = Text();
    pendingName_ = Text();
}

void DocumentDrop::OnGotFile(AppView& view, Browser& browser, const GotFileEvent& event) {
    JobGuard job;
    if (!job.acquired())
        return;
    // A paste still waiting from the last drop gives the clipboard back first,
    // so this drop's copy of it is the user's own.
    if (pendingRestore_) {
        shell_.SetPasteTimer(0);
        RestorePendingClipboard();
    }

    ReferenceBox& box = view.Box();
    view.SetCurrentTab(1);
    ShowWebSearch(view, browser);  // acts on tab 2 only, so not here
    Text previous = box.GetText();
    box.SetText(FromUtf8("正在载入拖入的文档，请稍后……"));
    shell_.PaintBox();

    LoadResult result;
    if (event.widePaths.size() == 1) {
        result = shell_.LoadDocument(DocumentPath{event.text, event.widePaths[0]});
    }
    switch (result.kind) {
        case LoadResult::Kind::Loaded:
            box.SetText(result.text);
            break;
        case LoadResult::Kind::PasteFallback:
            box.SetText(Text());
            break;
        case LoadResult::Kind::Failed:
            // The user's text stays, and the failure says so.
            box.SetText(previous);
            if (event.widePaths.size() == 1) {
                view.SetStatus(FailureCaption(FileNameOf(event.text)));
            } else {
                view.SetStatus(
                    FromUtf8("一次只能载入一个文档，请只拖入一个文件（原有文本已保留）"));
            }
            break;
    }

    if (result.kind == LoadResult::Kind::PasteFallback) {
        if (box.GetText().empty()) {
            pendingRestore_ = std::move(result.restoreAfterPaste);
            pendingPrevious_ = previous;
            pendingName_ = FileNameOf(event.text);
            shell_.SetPasteTimer(100);
        } else if (result.restoreAfterPaste) {
            result.restoreAfterPaste->Restore();
        }
    }

    CharFormat& normal = G().NormalFormat;
    normal.PointSize = 9;
    normal.Color = 0;
    normal.FontName = FromUtf8("宋体");
    box.SetSelectionStart(0);
    box.SetSelectionLength(CountDisplayChars(box.GetText()));
    box.ApplyFormatToSelection(normal);
    box.SetSelectionLength(0);
}

void DocumentDrop::OnPasteTimer(AppView& view) {
    shell_.SetPasteTimer(0);
    {
        JobGuard job;
        if (job.acquired()) {
            ReferenceBox& box = view.Box();
            if (box.GetText().empty()) {
                box.Focus();
                box.PasteFromClipboard();
                // Nothing the box could take: the user's text comes back.
                if (pendingRestore_ && box.GetText().empty()) {
                    box.SetText(pendingPrevious_);
                    view.SetStatus(FailureCaption(pendingName_));
                }
            }
        }
    }
    RestorePendingClipboard();
}

}  // namespace tavimo::loading
