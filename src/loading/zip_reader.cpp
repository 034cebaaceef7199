#include "loading/zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>

namespace tavimo::loading {

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;

// Little-endian reads that fail instead of running past the end.
class Bytes {
  public:
    explicit Bytes(std::string_view data) : data_(data) {}
    bool Has(size_t offset, size_t count) const {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    uint16_t U16(size_t at) const { return static_cast<uint16_t>(Byte(at) | (Byte(at + 1) << 8)); }
    uint32_t U32(size_t at) const {
        return static_cast<uint32_t>(U16(at)) | (static_cast<uint32_t>(U16(at + 2)) << 16);
    }
    std::string_view Slice(size_t at, size_t count) const { return data_.substr(at, count); }
    size_t size() const { return data_.size(); }

  private:
    uint32_t Byte(size_t at) const { return static_cast<unsigned char>(data_[at]); }
    std::string_view data_;
};

std::optional<size_t> FindEndRecord(const Bytes& zip) {
    if (zip.size() < kEndSize)
        return std::nullopt;
    // The record sits at the end, behind a comment of at most 65535 bytes.
    size_t last = zip.size() - kEndSize;
    size_t first = last > 0xFFFF ? last - 0xFFFF : 0;
    for (size_t at = last + 1; at-- > first;) {
        if (zip.U32(at) == kEndSignature && at + kEndSize + zip.U16(at + 20) == zip.size()) {
            return at;
        }
    }
    return std::nullopt;
}

std::optional<std::string> Inflate(std::string_view in, size_t capBytes) {
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    std::string out;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    char buffer[64 * 1024];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END)
            break;
        size_t got = sizeof buffer - z.avail_out;
        if (got > capBytes - out.size()) {
            rc = Z_MEM_ERROR;  // past the cap: a bomb or simply too big
            break;
        }
        out.append(buffer, got);
        if (rc == Z_OK && got == 0 && z.avail_in == 0)
            rc = Z_DATA_ERROR;  // truncated
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END)
        return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> ReadZipMember(std::string_view archive, std::string_view name,
                                         size_t capBytes) {
    if (archive.size() > 0xFFFFFFFFu)
        return std::nullopt;  // zip64 is not read
    Bytes zip(archive);
    auto end = FindEndRecord(zip);
    if (!end)
        return std::nullopt;
    size_t entries = zip.U16(*end + 10);
    size_t dirSize = zip.U32(*end + 12);
    size_t dirOffset = zip.U32(*end + 16);
    if (!zip.Has(dirOffset, dirSize))
        return std::nullopt;

    size_t at = dirOffset;
    const size_t dirEnd = dirOffset + dirSize;
    for (size_t i = 0; i < entries; ++i) {
        if (at > dirEnd || dirEnd - at < kCentralSize || zip.U32(at) != kCentralSignature) {
            return std::nullopt;
        }
        uint16_t flags = zip.U16(at + 8);
        uint16_t method = zip.U16(at + 10);
        uint32_t crc = zip.U32(at + 16);
        size_t packed = zip.U32(at + 20);
        size_t nameLength = zip.U16(at + 28);
        size_t extraLength = zip.U16(at + 30);
        size_t commentLength = zip.U16(at + 32);
        size_t localOffset = zip.U32(at + 42);
        size_t next = at + kCentralSize + nameLength + extraLength + commentLength;
        if (next > dirEnd)
            return std::nullopt;
        if (zip.Slice(at + kCentralSize, nameLength) != name) {
            at = next;
            continue;
        }

        if ((flags & 1) != 0)
            return std::nullopt;  // encrypted
        if (!zip.Has(localOffset, kLocalSize) || zip.U32(localOffset) != kLocalSignature) {
            return std::nullopt;
        }
        size_t dataOffset =
            localOffset + kLocalSize + zip.U16(localOffset + 26) + zip.U16(localOffset + 28);
        if (!zip.Has(dataOffset, packed))
            return std::nullopt;
        std::string_view data = zip.Slice(dataOffset, packed);

        std::optional<std::string> out;
        if (method == 0) {
            if (data.size() <= capBytes)
                out = std::string(data);
        } else if (method == 8) {
            out = Inflate(data, capBytes);
        }
        if (!out)
            return std::nullopt;
        uLong sum = crc32(0L, reinterpret_cast<const Bytef*>(out->data()), 0);
        for (size_t done = 0; done < out->size();) {
            uInt step = static_cast<uInt>(std::min<size_t>(out->size() - done, 1u << 30));
            sum = crc32(sum, reinterpret_cast<const Bytef*>(out->data() + done), step);
            done += step;
        }
        if (sum != crc)
            return std::nullopt;
        return out;
    }
    return std::nullopt;
}

}  // namespace tavimo::loading
