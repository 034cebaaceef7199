#include "loading/automation.h"

namespace tavimo::loading {

namespace {

bool IsTrue(const AutoValue& v) {
    return v.number && *v.number != 0;
}

}  // namespace

AutomationOutcome CopyDocumentThroughSuite(AutoFactory& factory, LoaderClipboard& clipboard,
                                           const std::u16string& path) {
    AutoFactory::Created created;
    for (std::u16string_view progId : kSuiteProgIds) {
        created = factory.Create(progId);
        if (created.app)
            break;
    }
    AutomationOutcome outcome;
    if (!created.app)
        return outcome;
    outcome.kind = AutomationOutcome::Kind::Failed;

    AutoRef app = std::move(created.app);
    // An instance someone already had open is left as it was found: a visible
    // one or one holding documents is the user's, and Quit would close their work.
    bool foreign = created.attached || IsTrue(app->Get("Visible"));
    AutoRef documents = app->Get("Documents").object;
    if (documents) {
        AutoValue count = documents->Get("Count");
        if (count.number && *count.number > 0)
            foreign = true;
    }
    if (!foreign)
        app->Put("Visible", false);

    // Before Open: no macro may run, and no prompt of an invisible
    // application may block this thread.
    std::optional<int32_t> oldSecurity = app->Get("AutomationSecurity").number;
    std::optional<int32_t> oldAlerts = app->Get("DisplayAlerts").number;
    app->Put("AutomationSecurity", kForceDisableMacros);
    app->Put("DisplayAlerts", false);

    std::unique_ptr<SavedClipboard> saved;
    if (documents) {
        AutoRef document = documents->Call("Open", {path, false, true}).object;
        if (document) {
            AutoRef content = document->Get("Content").object;
            // Taken as late as possible, so nothing the user copies meanwhile is lost.
            if (content)
                saved = clipboard.Save();
            if (saved)
                content->Get("Copy");
            document->Call("Close", {false});  // SaveChanges: false
        }
    }

    if (foreign) {
        if (oldSecurity)
            app->Put("AutomationSecurity", *oldSecurity);
        if (oldAlerts)
            app->Put("DisplayAlerts", *oldAlerts);
    } else {
        app->Call("Quit", {});
    }
    documents.reset();
    app.reset();

    if (!saved)
        return outcome;
    // Whatever the clipboard holds unchanged is the user's, not the document's.
    if (clipboard.Sequence() == saved->Sequence())
        return outcome;
    Text text = clipboard.ReadText();
    if (!text.empty()) {
        saved->Restore();
        outcome.kind = AutomationOutcome::Kind::Text;
        outcome.text = std::move(text);
        return outcome;
    }
    if (clipboard.HoldsAnything()) {
        outcome.kind = AutomationOutcome::Kind::ClipboardOnly;
        outcome.restoreAfterPaste = std::move(saved);
        return outcome;
    }
    saved->Restore();
    return outcome;
}

}  // namespace tavimo::loading
