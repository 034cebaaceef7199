#include "web/web_search.h"

namespace tavimo {

// Filled in by the web-search work.
void ShowWebSearch(AppView&, Browser&) {}

}  // namespace tavimo
