// A copy of everything on the clipboard that can be copied, to put back after
// the program has had to use the clipboard itself (a swipe capture's Ctrl+C,
// a document's Copy).
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>

namespace tavimo::win32 {

class ClipboardSnapshot {
  public:
    static constexpr size_t kDefaultCapBytes = 64u << 20;

    // Takes a complete copy; nullopt when the clipboard cannot be opened (a few
    // tries within about 0.1 s) or the contents exceed the cap (then nothing
    // may be replaced, since nothing could be put back).
    static std::optional<ClipboardSnapshot> Take(size_t capBytes = kDefaultCapBytes);

    // Puts the copy back, retrying briefly while another program holds the
    // clipboard; the write is marked so clipboard history and monitors skip it.
    bool Restore() const;

    // The clipboard's sequence number when the copy was taken.
    DWORD sequence() const;
    bool empty() const;

    ClipboardSnapshot(ClipboardSnapshot&&) noexcept;
    ClipboardSnapshot& operator=(ClipboardSnapshot&&) noexcept;
    ~ClipboardSnapshot();

  private:
    struct Data;
    explicit ClipboardSnapshot(std::unique_ptr<Data> data);
    std::unique_ptr<Data> data_;
};

}  // namespace tavimo::win32
