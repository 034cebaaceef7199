// The program's global state: created by InitGlobals, released once by
// FreeGlobals at the end. Owned and touched by the user-interface thread; the
// capture worker reads only CaptureArmed, which is atomic.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "app/reference_box.h"
#include "text/text.h"

namespace tavimo {

struct RectD {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct PointI {
    int32_t x = 0, y = 0;
};

// What the last search found, so navigation need not rebuild and recount the
// text while the term is the one searched. Replaced with HitPieces.
struct HitIndexCache {
    bool valid = false;
    Text term;
    int32_t termBoxLength = 0;
    // For hit k (from 1): CountDisplayChars of the text through the hit's end,
    // less the term's count: the box position navigation selects.
    std::vector<int32_t> selectStarts;
};

struct Globals {
    CharFormat NormalFormat;
    TextList HitPieces;
    CharFormat HighlightFormat;
    PointI DragAnchor;

    int32_t NextFindStart = 0;
    int32_t CurrentHit = 0;
    std::atomic<int32_t> CaptureArmed{0};
    RectD WindowRect;
    void* MouseHook = nullptr;  // the hook handle; the shell casts it

    HitIndexCache HitIndex;
};

void InitGlobals();
void FreeGlobals();
bool GlobalsExist();
// Valid between InitGlobals and FreeGlobals.
Globals& G();

// How many times FreeGlobals has run in this process (checked by tests).
int FreeGlobalsRuns();

}  // namespace tavimo
