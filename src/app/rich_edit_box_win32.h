// The reference box on the system rich-edit control ("RichEdit20W" from
// RICHED20.DLL). Text crosses the seam in code page 936; the control sees
// UTF-16. Positions are the control's own: a line break is one character.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/reference_box.h"

namespace tavimo::win32 {

class RichEditBox final : public ReferenceBox {
  public:
    // Creates the control as a child of parent at the given place, with the
    // reference box's settings; null when the control cannot be created.
    static std::unique_ptr<RichEditBox> Create(HWND parent, int id, const RECT& place);

    // The control belongs to its parent window, which destroys it.
    HWND hwnd() const { return hwnd_; }

    Text GetText() override;
    void SetText(const Text& text) override;
    void SetSelectionStart(int32_t n) override;
    void SetSelectionLength(int32_t n) override;
    void SelectRange(int32_t start, int32_t length) override;
    void ApplyFormatToSelection(const CharFormat& format) override;
    void Focus() override;
    void PasteFromClipboard() override;
    void BeginBulkUpdate() override;
    void EndBulkUpdate() override;

    // The number of box characters in the text.
    int32_t BoxLength() const;

  private:
    explicit RichEditBox(HWND hwnd) : hwnd_(hwnd) {}
    void Select();

    HWND hwnd_;
    int32_t requestedStart_ = 0;
    int32_t requestedLength_ = 0;
    int bulkDepth_ = 0;
    LRESULT savedEventMask_ = 0;
};

}  // namespace tavimo::win32
