// Byte-string text in code page 936 and the primitive operations on it.
// Positions count bytes from 1; a byte of 0x80 or above begins a two-byte
// character whatever the byte after it is.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimo {

class Text {
  public:
    Text() = default;
    // Whatever enters from outside ends at its first zero byte.
    Text(std::string_view bytes);      // NOLINT(google-explicit-constructor)
    Text(const char* zeroTerminated);  // NOLINT(google-explicit-constructor)
    Text(const std::string& bytes) : Text(std::string_view(bytes)) {}  // NOLINT

    const std::string& bytes() const { return bytes_; }
    std::string_view view() const { return bytes_; }
    const char* c_str() const { return bytes_.c_str(); }
    bool empty() const { return bytes_.empty(); }

    friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }

  private:
    std::string bytes_;
};

// Items are numbered from 1 to Size(); reading outside that range is the
// caller's fault, so Item() checks and throws std::out_of_range.
class TextList {
  public:
    TextList() = default;
    explicit TextList(std::vector<Text> items) : items_(std::move(items)) {}

    int32_t Size() const { return static_cast<int32_t>(items_.size()); }
    const Text& Item(int32_t number) const { return items_.at(static_cast<size_t>(number - 1)); }
    void Append(Text item) { items_.push_back(std::move(item)); }
    const std::vector<Text>& items() const { return items_; }

    friend bool operator==(const TextList& a, const TextList& b) { return a.items_ == b.items_; }

  private:
    std::vector<Text> items_;
};

// Shows the bytes, for test failure messages.
std::ostream& operator<<(std::ostream& os, const Text& text);

int32_t Length(const Text& text);
Text Left(const Text& text, int32_t count);
Text Right(const Text& text, int32_t count);
Text Mid(const Text& text, int32_t start, int32_t count);
// The byte at position as a signed 8-bit value; 0 outside 1..Length.
int32_t CharCode(const Text& text, int32_t position = 1);
// 1-based position of the first character-aligned occurrence at or after
// start, or -1. Ignore case (ASCII letters only, every byte) when the flag is 1.
int32_t Find(const Text& text, const Text& needle, std::optional<int32_t> start = std::nullopt,
             int32_t ignoreCase = 0);
TextList Split(const Text& text, std::optional<Text> separator = std::nullopt,
               std::optional<int32_t> limit = std::nullopt);
Text ReplaceAll(const Text& text, const Text& what, const Text& replacement = Text(),
                std::optional<int32_t> start = std::nullopt,
                std::optional<int32_t> number = std::nullopt, bool caseSensitive = true);
Text ToText(int32_t value);
int32_t Compare(const Text& a, const Text& b);
inline int32_t Size(const TextList& list) {
    return list.Size();
}

Text ConcatViews(std::initializer_list<std::string_view> parts);
template <class... Parts>
Text Concat(const Parts&... parts) {
    return ConcatViews({std::string_view(Text(parts).bytes())...});
}

// The step from the character at byte offset i to the next one.
inline size_t CharWidthAt(std::string_view bytes, size_t i) {
    return static_cast<unsigned char>(bytes[i]) >= 0x80 ? 2 : 1;
}

}  // namespace tavimo
