// The reference box: the rich-text box that holds the reference text. The
// search, the navigation and the document loader reach it only through this.
#pragma once

#include <cstdint>

#include "text/text.h"

namespace tavimo {

// Effects bits: 0 bold, 1 italic, 2 underline, 3 strike-out, 4 protected.
struct CharFormat {
    static constexpr uint32_t kAutomaticColor = 0xFF000000;
    Text FontName;  // at most 31 bytes
    int32_t PointSize = 9;
    int32_t Offset = 0;  // points above the base line
    uint32_t Effects = 0;
    uint32_t Color = kAutomaticColor;  // 0x00BBGGRR

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// Positions count box characters from 0: a two-byte character is one, a line
// break is one. The box keeps a requested start and length (both 0 at first);
// each setter stores its value clamped and reselects with the other one.
class ReferenceBox {
  public:
    virtual ~ReferenceBox() = default;
    // The whole content; each line break comes back as CR LF.
    virtual Text GetText() = 0;
    // Replaces the content; each CR LF becomes one line break.
    virtual void SetText(const Text& text) = 0;
    // Stores max(n, 0) as the requested start, then selects.
    virtual void SetSelectionStart(int32_t n) = 0;
    // Stores max(n, -1) as the requested length, then selects; -1 selects all.
    virtual void SetSelectionLength(int32_t n) = 0;
    // SetSelectionStart(start) then SetSelectionLength(length) as one
    // selection: the box may select once instead of twice.
    virtual void SelectRange(int32_t start, int32_t length) {
        SetSelectionStart(start);
        SetSelectionLength(length);
    }
    // Face, size, offset, the five effects and the colour, all at once.
    virtual void ApplyFormatToSelection(const CharFormat& format) = 0;
    virtual void Focus() = 0;
    virtual void PasteFromClipboard() = 0;

    // Bulk work (colouring thousands of hits) brackets itself with these, so
    // the box repaints and notifies once at the end. Nested pairs are fine.
    virtual void BeginBulkUpdate() {}
    virtual void EndBulkUpdate() {}
};

// Brackets a bulk update for the life of the object.
class BulkUpdate {
  public:
    explicit BulkUpdate(ReferenceBox& box) : box_(box) { box_.BeginBulkUpdate(); }
    BulkUpdate(const BulkUpdate&) = delete;
    BulkUpdate& operator=(const BulkUpdate&) = delete;
    ~BulkUpdate() { box_.EndBulkUpdate(); }

  private:
    ReferenceBox& box_;
};

}  // namespace tavimo
