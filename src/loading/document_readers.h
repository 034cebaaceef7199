// The built-in readers that stand in where no office suite is installed. A
// reader returns its text directly; it never goes through the clipboard.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace tavimo::loading {

// Larger files are not read at all.
constexpr size_t kMaxDocumentFileBytes = 64u << 20;

// RTF needs the rich-edit control's own reader, which only the shell has.
using RtfReader = std::function<std::optional<Text>(std::string_view rtf)>;

// The whole file; nullopt when it is missing, not a regular file, unreadable
// or larger than the cap.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         size_t capBytes = kMaxDocumentFileBytes);

// Picks the reader by content (zip, RTF) or by extension (.txt); nullopt when
// none fits or the reader refuses the file.
std::optional<Text> ReadDocumentFile(const std::filesystem::path& path, const RtfReader& rtf);

}  // namespace tavimo::loading
