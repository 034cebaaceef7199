#include "search/local_search.h"

namespace tavimo {

// Filled in by the local-search work.
void RunLocalSearch(AppView&) {}
void ShowNextHit(AppView&) {}
void ShowPreviousHit(AppView&) {}

}  // namespace tavimo
