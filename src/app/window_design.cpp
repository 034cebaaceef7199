#include "app/window_design.h"

#include <algorithm>

namespace tavimo {

const ControlDesign* FindControl(int32_t id) {
    for (const auto& c : kControls) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

int32_t ClampTab(int32_t tab) {
    return std::clamp(tab, 0, kPageCount - 1);
}

int32_t CentredOrigin(int32_t screenExtent, int32_t windowExtent) {
    return (screenExtent - windowExtent) / 2;
}

int32_t ScaleForDpi(int32_t pixels, uint32_t dpi) {
    if (dpi == 0 || dpi == 96)
        return pixels;
    const int64_t scaled = static_cast<int64_t>(pixels) * dpi;
    // Round half away from zero, as MulDiv does.
    const int64_t half = scaled >= 0 ? 48 : -48;
    return static_cast<int32_t>((scaled + half) / 96);
}

}  // namespace tavimo
