#include "app/globals.h"

#include <memory>

#include "text/codepage.h"

namespace tavimo {

namespace {
std::unique_ptr<Globals> gGlobals;
int gFreeRuns = 0;

CharFormat InitialFormat() {
    CharFormat f;
    f.FontName = FromUtf8("宋体");
    f.PointSize = 9;
    f.Offset = 0;
    f.Effects = 0;
    f.Color = CharFormat::kAutomaticColor;
    return f;
}
}  // namespace

void InitGlobals() {
    gGlobals = std::make_unique<Globals>();
    gGlobals->NormalFormat = InitialFormat();
    gGlobals->HitPieces = TextList();
    gGlobals->HighlightFormat = InitialFormat();
    gGlobals->DragAnchor = PointI{};
}

void FreeGlobals() {
    if (!gGlobals)
        return;
    gGlobals.reset();
    ++gFreeRuns;
}

bool GlobalsExist() {
    return gGlobals != nullptr;
}

Globals& G() {
    return *gGlobals;
}

int FreeGlobalsRuns() {
    return gFreeRuns;
}

}  // namespace tavimo
