// The local search and the hit navigation, over the main window's view.
#pragma once

#include "app/app_view.h"

namespace tavimo {

// 按钮1 "搜索": cleans the reference text, colours every hit and reports the
// count. Dropped when another long job runs.
void RunLocalSearch(AppView& view);
// The same for a caller that already holds the job (a capture's steps).
void RunLocalSearchInJob(AppView& view);

// 按钮5 "下一条" and 按钮6 "上一条". Dropped when another long job runs.
void ShowNextHit(AppView& view);
void ShowPreviousHit(AppView& view);

}  // namespace tavimo
