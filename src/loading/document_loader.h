// LoadDocumentText: a dropped file's text, from the office suite where one is
// installed and from the built-in readers otherwise.
#pragma once

#include <memory>
#include <string>

#include "loading/automation.h"
#include "loading/document_readers.h"
#include "text/text.h"

namespace tavimo::loading {

// A dropped path: the Text the handlers see, and the exact wide path for
// opening it (it may hold characters code page 936 cannot).
struct DocumentPath {
    Text text;
    std::u16string wide;
};

struct LoadResult {
    enum class Kind {
        Loaded,         // text holds the document's text (possibly empty)
        PasteFallback,  // the content is on the clipboard without plain text
        Failed,         // nothing was loaded
    };
    Kind kind = Kind::Failed;
    Text text;
    // With PasteFallback: the user's clipboard, put back after the paste.
    std::unique_ptr<SavedClipboard> restoreAfterPaste;
};

struct DocumentSources {
    AutoFactory& suites;
    LoaderClipboard& clipboard;
    RtfReader rtf;
};

LoadResult LoadDocumentText(const DocumentPath& path, DocumentSources& sources);

}  // namespace tavimo::loading
