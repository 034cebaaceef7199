// The local search and the hit navigation, over the main window's view.
#pragma once

#include "app/app_view.h"

namespace tavimo {

// 按钮1 "搜索": cleans the reference text, colours every hit and reports the count.
void RunLocalSearch(AppView& view);
// 按钮5 "下一条" and 按钮6 "上一条".
void ShowNextHit(AppView& view);
void ShowPreviousHit(AppView& view);

}  // namespace tavimo
