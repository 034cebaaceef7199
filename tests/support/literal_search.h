// The search, the navigation and the counting done literally, step by step,
// re-reading the controls at every step: the oracle the fast code is checked
// against. Kept apart from the program's code on purpose.
#pragma once

#include "app/app_view.h"
#include "app/globals.h"
#include "text/clean_reference_text.h"
#include "text/codepage.h"
#include "text/text.h"

namespace tavimo::oracle {

// onStep runs after every counting step: the literal algorithm dispatches
// pending events there.
template <class OnStep>
int32_t LiteralCount(const Text& text, OnStep onStep) {
    int32_t l = Length(text), result = l, p = 1;
    while (p < l) {
        if (CharCode(text, p) < 0 || CharCode(text, p) == 13) {
            --result;
            p += 2;
        } else {
            p += 1;
        }
        onStep();
    }
    return result;
}

inline int32_t LiteralCount(const Text& text) {
    return LiteralCount(text, [] {});
}

// countFinalHit: a term at the very end is a hit like any other (an empty
// final piece keeps the loop bound right).
inline void LiteralRunLocalSearch(AppView& view, bool countFinalHit) {
    Globals& g = G();
    ReferenceBox& box = view.Box();
    view.SetStatus(FromUtf8("正在搜索中，请稍等……"));
    box.SetText(CleanReferenceText(box.GetText()));
    g.NormalFormat.PointSize = 9;
    g.NormalFormat.Color = 0;
    g.NormalFormat.FontName = FromUtf8("宋体");
    box.SetSelectionStart(0);
    box.SetSelectionLength(LiteralCount(box.GetText()));
    box.ApplyFormatToSelection(g.NormalFormat);
    box.SetSelectionLength(0);
    g.HitPieces = Split(box.GetText(), view.Term());
    Text text = box.GetText(), term = view.Term();
    if (countFinalHit && !term.empty() && Length(text) >= Length(term) &&
        Compare(Right(text, Length(term)), term) == 0 && Size(g.HitPieces) > 0) {
        // Only when the split's last cut ends the text.
        int32_t total = 0;
        for (int32_t i = 1; i <= Size(g.HitPieces); ++i)
            total += Length(g.HitPieces.Item(i));
        if (total + (Size(g.HitPieces)) * Length(term) == Length(text))
            g.HitPieces.Append(Text());
    }
    g.NextFindStart = 0;
    g.CurrentHit = 0;
    box.Focus();
    g.HighlightFormat.Color = 255;
    int32_t count = 0;
    while (count < Size(g.HitPieces) - 1) {
        int32_t p = Find(box.GetText(), view.Term(), g.NextFindStart, 0);
        if (p != -1) {
            box.SetSelectionStart(LiteralCount(Left(box.GetText(), p - 1)));
            box.SetSelectionLength(LiteralCount(view.Term()));
            ++count;
            g.NextFindStart = p + Length(view.Term());
            box.ApplyFormatToSelection(g.HighlightFormat);
        }
    }
    if (count == 0) {
        view.SetStatus(
            FromUtf8("搜索完毕，没有发现所搜索的内容，请点击上方浏览器模式进行互联网搜索！"));
    } else {
        view.SetStatus(Concat(FromUtf8("搜索完毕，一共出现 "), ToText(count),
                              FromUtf8("次内容，请点击上、下一条按钮精确定位！")));
    }
    box.SetSelectionLength(0);
}

inline void LiteralSelectHit(AppView& view) {
    Globals& g = G();
    if (g.CurrentHit > Size(g.HitPieces)) {
        // The decided change: no pieces to read, so nothing is selected.
        view.Box().Focus();
        view.Box().SetSelectionLength(0);
        return;
    }
    Text t;
    for (int32_t i = 1, n = g.CurrentHit; i <= n; ++i)
        t = Concat(t, g.HitPieces.Item(i), view.Term());
    view.Box().Focus();
    view.Box().SetSelectionStart(LiteralCount(t) - LiteralCount(view.Term()));
    view.Box().SetSelectionLength(LiteralCount(view.Term()));
}

inline void LiteralShowNextHit(AppView& view) {
    Globals& g = G();
    int32_t n = Size(g.HitPieces);
    g.CurrentHit = g.CurrentHit < n - 1 ? g.CurrentHit + 1 : n - 1;
    LiteralSelectHit(view);
}

inline void LiteralShowPreviousHit(AppView& view) {
    Globals& g = G();
    g.CurrentHit = g.CurrentHit < 2 ? 1 : g.CurrentHit - 1;
    LiteralSelectHit(view);
}

}  // namespace tavimo::oracle
