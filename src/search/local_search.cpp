#include "search/local_search.h"

#include <string>

#include "app/globals.h"
#include "app/job_guard.h"
#include "search/hit_scan.h"
#include "text/clean_reference_text.h"
#include "text/codepage.h"
#include "text/display_count.h"
#include "text/time_slice.h"

namespace tavimo {

namespace {

const Text& SearchingCaption() {
    static const Text t = FromUtf8("正在搜索中，请稍等……");
    return t;
}
const Text& NothingFoundCaption() {
    static const Text t =
        FromUtf8("搜索完毕，没有发现所搜索的内容，请点击上方浏览器模式进行互联网搜索！");
    return t;
}
Text FoundCaption(int32_t hits) {
    static const Text head = FromUtf8("搜索完毕，一共出现 ");
    static const Text tail = FromUtf8("次内容，请点击上、下一条按钮精确定位！");
    return Concat(head, ToText(hits), tail);
}

// The box position navigation selects for hit k: the count of the text through
// the hit's end less the term's count, exactly as rebuilding the text from the
// pieces would give it.
std::vector<int32_t> SelectStarts(std::string_view text, const HitScan& hits, size_t termLength,
                                  int32_t termBoxLength) {
    std::vector<int32_t> out;
    out.reserve(hits.positions.size());
    PrefixDisplayCounter counter(text);
    for (int32_t p : hits.positions) {
        size_t end = static_cast<size_t>(p - 1) + termLength;
        out.push_back(static_cast<int32_t>(counter.CountOfPrefix(end)) - termBoxLength);
    }
    return out;
}

// Selects hit CurrentHit: from the index while the term is the one searched,
// otherwise by rebuilding the text up to the hit from the stored pieces.
void SelectHit(AppView& view) {
    Globals& g = G();
    ReferenceBox& box = view.Box();
    const Text term = view.Term();
    const int32_t hit = g.CurrentHit;
    const HitIndexCache& index = g.HitIndex;
    box.Focus();
    if (index.valid && term == index.term && hit >= 1 &&
        hit <= static_cast<int32_t>(index.selectStarts.size())) {
        box.SelectRange(index.selectStarts[static_cast<size_t>(hit - 1)], index.termBoxLength);
        return;
    }
    if (hit > g.HitPieces.Size()) {
        // No such piece (nothing searched yet): select nothing.
        box.SetSelectionLength(0);
        return;
    }
    std::string t;
    for (int32_t i = 1; i <= hit; ++i) {
        t += g.HitPieces.Item(i).view();
        t += term.view();
    }
    const int32_t termCount = CountDisplayChars(term);
    box.SelectRange(static_cast<int32_t>(CountDisplayChars(std::string_view(t))) - termCount,
                    termCount);
}

}  // namespace

void RunLocalSearch(AppView& view) {
    JobGuard job;
    if (!job.acquired())
        return;
    RunLocalSearchInJob(view);
}

void RunLocalSearchInJob(AppView& view) {
    Globals& g = G();
    ReferenceBox& box = view.Box();
    view.SetStatus(SearchingCaption());
    box.SetText(CleanReferenceText(box.GetText()));
    // The text and the term are taken once: what the user does to the controls
    // while events run during the search cannot change what is searched.
    const Text text = box.GetText();
    const Text term = view.Term();

    g.NormalFormat.PointSize = 9;
    g.NormalFormat.Color = 0;
    g.NormalFormat.FontName = FromUtf8("宋体");

    BulkUpdate bulk(box);
    box.SetSelectionStart(0);
    box.SetSelectionLength(CountDisplayChars(text));
    box.ApplyFormatToSelection(g.NormalFormat);
    box.SetSelectionLength(0);

    const HitScan hits = ScanHits(text.view(), term.view());
    const int32_t termBoxLength = CountDisplayChars(term);
    g.HitPieces = PiecesAtHits(text.view(), term.view(), hits.positions);
    g.HitIndex.valid = true;
    g.HitIndex.term = term;
    g.HitIndex.termBoxLength = termBoxLength;
    g.HitIndex.selectStarts = SelectStarts(text.view(), hits, term.view().size(), termBoxLength);
    g.NextFindStart = 0;
    g.CurrentHit = 0;

    box.Focus();
    g.HighlightFormat.Color = 255;

    int32_t count = 0;
    TimeSlice slice;
    for (size_t k = 0; k < hits.positions.size(); ++k) {
        box.SelectRange(hits.boxStarts[k], termBoxLength);
        ++count;
        g.NextFindStart = hits.positions[k] + Length(term);
        box.ApplyFormatToSelection(g.HighlightFormat);
        if ((k & 63) == 63)
            slice.Step();
    }

    view.SetStatus(count == 0 ? NothingFoundCaption() : FoundCaption(count));
    box.SetSelectionLength(0);
}

void ShowNextHit(AppView& view) {
    JobGuard job;
    if (!job.acquired())
        return;
    Globals& g = G();
    const int32_t n = g.HitPieces.Size();
    g.CurrentHit = g.CurrentHit < n - 1 ? g.CurrentHit + 1 : n - 1;
    SelectHit(view);
}

void ShowPreviousHit(AppView& view) {
    JobGuard job;
    if (!job.acquired())
        return;
    Globals& g = G();
    g.CurrentHit = g.CurrentHit < 2 ? 1 : g.CurrentHit - 1;
    SelectHit(view);
}

}  // namespace tavimo
