#include "loading/document_readers.h"

#include <fstream>
#include <system_error>

#include "loading/docx_reader.h"
#include "loading/plain_text_reader.h"

namespace tavimo::loading {

namespace {

bool HasPlainTextExtension(const std::filesystem::path& path) {
    std::u16string ext = path.extension().u16string();
    for (char16_t& c : ext) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return ext == u".txt" || ext == u".text";
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t capBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > capBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size()))
        return std::nullopt;
    return bytes;
}

std::optional<Text> ReadDocumentFile(const std::filesystem::path& path, const RtfReader& rtf) {
    auto bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    std::string_view view(*bytes);
    if (view.starts_with("PK\x03\x04"))
        return ReadDocx(view);
    if (view.starts_with("{\\rtf")) {
        if (!rtf)
            return std::nullopt;
        return rtf(view);
    }
    if (HasPlainTextExtension(path))
        return DecodePlainText(view);
    return std::nullopt;
}

}  // namespace tavimo::loading
