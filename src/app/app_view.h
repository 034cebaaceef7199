// What the handlers read and write of the main window's controls. The real
// window implements it; tests use a fake.
#pragma once

#include <cstdint>

#include "app/reference_box.h"
#include "text/text.h"

namespace tavimo {

class AppView {
  public:
    virtual ~AppView() = default;

    // 编辑框1, the search-term box.
    virtual Text Term() = 0;
    virtual void SetTerm(const Text& term) = 0;
    // 标签3, the status label.
    virtual void SetStatus(const Text& caption) = 0;
    // 选择夹1: written values are clamped to 0..4 and fire no event.
    virtual int32_t CurrentTab() = 0;
    virtual void SetCurrentTab(int32_t tab) = 0;
    // 编辑框2.
    virtual ReferenceBox& Box() = 0;

    // 选择框1 自动置顶, 选择框3 划屏取词, 单选框1 文本搜, 单选框2 IE内核搜.
    virtual bool RaiseOnHoverChecked() = 0;
    virtual bool CaptureChecked() = 0;
    virtual bool LocalSearchSelected() = 0;
    virtual bool WebSearchSelected() = 0;
};

}  // namespace tavimo
