#include "loading/document_loader.h"

#include <filesystem>

namespace tavimo::loading {

LoadResult LoadDocumentText(const DocumentPath& path, DocumentSources& sources) {
    LoadResult result;
    AutomationOutcome suite =
        CopyDocumentThroughSuite(sources.suites, sources.clipboard, path.wide);
    if (suite.kind == AutomationOutcome::Kind::Text) {
        result.kind = LoadResult::Kind::Loaded;
        result.text = std::move(suite.text);
        return result;
    }
    // A suite that could not give plain text, or none at all: a built-in
    // reader's text beats pasting whatever the suite left.
    if (auto text = ReadDocumentFile(std::filesystem::path(path.wide), sources.rtf)) {
        if (suite.restoreAfterPaste)
            suite.restoreAfterPaste->Restore();
        result.kind = LoadResult::Kind::Loaded;
        result.text = std::move(*text);
        return result;
    }
    if (suite.kind == AutomationOutcome::Kind::ClipboardOnly) {
        result.kind = LoadResult::Kind::PasteFallback;
        result.restoreAfterPaste = std::move(suite.restoreAfterPaste);
    }
    return result;
}

}  // namespace tavimo::loading
