// One member of a zip archive, read through the archive's central directory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavimo::loading {

// The member's bytes, or nullopt when the archive is malformed, the member is
// missing, encrypted, stored in a way other than "stored" or "deflate", fails
// its CRC, or would expand past capBytes. Every offset the archive gives is
// checked against its size; the sizes it declares are not trusted.
std::optional<std::string> ReadZipMember(std::string_view archive, std::string_view name,
                                         size_t capBytes);

}  // namespace tavimo::loading
