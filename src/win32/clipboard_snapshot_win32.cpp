#include "win32/clipboard_snapshot_win32.h"

#include <cstring>
#include <string>
#include <vector>

#include "capture/clipboard_bitmap_win32.h"
#include "win32/clipboard_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::win32 {

namespace {

// How a saved format is copied: memory blocks byte for byte, a bitmap handle
// through ImageBytes, metafiles through their bits (their blocks hold handles).
enum class Kind { Memory, Bitmap, EnhancedMetafile, MetafilePicture };

struct Item {
    UINT format = 0;
    Kind kind = Kind::Memory;
    std::vector<uint8_t> bytes;
    METAFILEPICT picture{};  // for MetafilePicture; hMF unused
};

// Marks that keep clipboard history and clipboard monitors out of a write.
UINT ExcludeFromMonitors() {
    static UINT f = ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    return f;
}
UINT CanIncludeInHistory() {
    static UINT f = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    return f;
}
UINT CanUploadToCloud() {
    static UINT f = ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard");
    return f;
}

bool IsExclusionMark(UINT format) {
    return format != 0 && (format == ExcludeFromMonitors() || format == CanIncludeInHistory() ||
                           format == CanUploadToCloud());
}

// Formats Windows converts into each other: the first one enumerated is the
// one the owner placed; the others are synthesised from it.
int Family(UINT format) {
    switch (format) {
        case CF_TEXT:
        case CF_OEMTEXT:
        case CF_UNICODETEXT:
            return 1;
        case CF_BITMAP:
        case CF_DIB:
        case CF_DIBV5:
            return 2;
        case CF_ENHMETAFILE:
        case CF_METAFILEPICT:
            return 3;
        default:
            return 0;
    }
}

// Handles that cannot be copied or mean nothing without their owner.
bool IsUncopyable(UINT format) {
    if (format == CF_OWNERDISPLAY || format == CF_DSPBITMAP || format == CF_DSPMETAFILEPICT ||
        format == CF_DSPENHMETAFILE || format == CF_PALETTE) {
        return true;
    }
    if (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST)
        return true;
    if (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST)
        return true;
    return false;
}

bool CopyMemoryBlock(HANDLE h, std::vector<uint8_t>& out) {
    GlobalLockGuard lock(h);
    if (!lock.get())
        return false;
    const uint8_t* p = static_cast<const uint8_t*>(lock.get());
    out.assign(p, p + lock.size());
    return true;
}

// Reads one format; false when its data cannot be copied (then it is left out).
bool ReadItem(UINT format, Item& item) {
    HANDLE h = ::GetClipboardData(format);
    if (!h)
        return false;
    item.format = format;
    switch (format) {
        case CF_BITMAP:
            item.kind = Kind::Bitmap;
            item.bytes = capture::ImageBytesFromBitmap(static_cast<HBITMAP>(h));
            return !item.bytes.empty();
        case CF_ENHMETAFILE: {
            item.kind = Kind::EnhancedMetafile;
            HENHMETAFILE emf = static_cast<HENHMETAFILE>(h);
            UINT n = ::GetEnhMetaFileBits(emf, 0, nullptr);
            if (n == 0)
                return false;
            item.bytes.resize(n);
            return ::GetEnhMetaFileBits(emf, n, item.bytes.data()) == n;
        }
        case CF_METAFILEPICT: {
            item.kind = Kind::MetafilePicture;
            GlobalLockGuard lock(h);
            if (!lock.get() || lock.size() < sizeof(METAFILEPICT))
                return false;
            std::memcpy(&item.picture, lock.get(), sizeof(METAFILEPICT));
            UINT n = ::GetMetaFileBitsEx(item.picture.hMF, 0, nullptr);
            if (n == 0)
                return false;
            item.bytes.resize(n);
            return ::GetMetaFileBitsEx(item.picture.hMF, n, item.bytes.data()) == n;
        }
        default:
            item.kind = Kind::Memory;
            return CopyMemoryBlock(h, item.bytes);
    }
}

UniqueGlobal NewBlock(const void* bytes, size_t size) {
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1));
    if (!block)
        return block;
    GlobalLockGuard lock(block.get());
    if (!lock.get())
        return UniqueGlobal();
    if (size)
        std::memcpy(lock.get(), bytes, size);
    return block;
}

bool Place(UINT format, HANDLE h) {
    return ::SetClipboardData(format, h) != nullptr;
}

// Hands one item to the open clipboard; ownership passes only on success.
bool WriteItem(const Item& item) {
    switch (item.kind) {
        case Kind::Memory: {
            UniqueGlobal block = NewBlock(item.bytes.data(), item.bytes.size());
            if (!block || !Place(item.format, block.get()))
                return false;
            block.release();
            return true;
        }
        case Kind::Bitmap: {
            UniqueBitmap bitmap = capture::BitmapFromImageBytes(item.bytes);
            if (!bitmap || !Place(item.format, bitmap.get()))
                return false;
            bitmap.release();
            return true;
        }
        case Kind::EnhancedMetafile: {
            HENHMETAFILE emf =
                ::SetEnhMetaFileBits(static_cast<UINT>(item.bytes.size()), item.bytes.data());
            if (!emf)
                return false;
            if (!Place(item.format, emf)) {
                ::DeleteEnhMetaFile(emf);
                return false;
            }
            return true;
        }
        case Kind::MetafilePicture: {
            HMETAFILE mf =
                ::SetMetaFileBitsEx(static_cast<UINT>(item.bytes.size()), item.bytes.data());
            if (!mf)
                return false;
            METAFILEPICT picture = item.picture;
            picture.hMF = mf;
            UniqueGlobal block = NewBlock(&picture, sizeof picture);
            if (!block || !Place(item.format, block.get())) {
                ::DeleteMetaFile(mf);
                return false;
            }
            block.release();  // the clipboard frees the metafile with the block
            return true;
        }
    }
    return false;
}

bool WriteMark(UINT format) {
    if (format == 0)
        return false;
    const DWORD zero = 0;
    UniqueGlobal block = NewBlock(&zero, sizeof zero);
    if (!block || !Place(format, block.get()))
        return false;
    block.release();
    return true;
}

// A clipboard monitor may hold the clipboard for a moment after each change:
// a take waits briefly for it, a restore (the user's data is at stake) longer.
constexpr int kTakeAttempts = 5;
constexpr int kRestoreAttempts = 50;
constexpr DWORD kRetryMs = 20;

// The clipboard opened with a few tries, closed at the end of the scope.
class RetriedSession {
  public:
    explicit RetriedSession(int attempts) {
        for (int i = 0; i < attempts && !open_; ++i) {
            if (i > 0)
                ::Sleep(kRetryMs);
            open_ = ::OpenClipboard(ClipboardOwner()) != FALSE;
        }
    }
    RetriedSession(const RetriedSession&) = delete;
    RetriedSession& operator=(const RetriedSession&) = delete;
    ~RetriedSession() { Close(); }
    bool open() const { return open_; }
    bool Close() {
        if (!open_)
            return false;
        open_ = false;
        return ::CloseClipboard() != FALSE;
    }

  private:
    bool open_ = false;
};

}  // namespace

struct ClipboardSnapshot::Data {
    DWORD sequence = 0;
    std::vector<Item> items;
};

ClipboardSnapshot::ClipboardSnapshot(std::unique_ptr<Data> data) : data_(std::move(data)) {}
ClipboardSnapshot::ClipboardSnapshot(ClipboardSnapshot&&) noexcept = default;
ClipboardSnapshot& ClipboardSnapshot::operator=(ClipboardSnapshot&&) noexcept = default;
ClipboardSnapshot::~ClipboardSnapshot() = default;

std::optional<ClipboardSnapshot> ClipboardSnapshot::Take(size_t capBytes) {
    RetriedSession session(kTakeAttempts);
    if (!session.open())
        return std::nullopt;
    auto data = std::make_unique<Data>();
    data->sequence = ::GetClipboardSequenceNumber();

    std::vector<UINT> formats;
    ::SetLastError(ERROR_SUCCESS);
    for (UINT f = ::EnumClipboardFormats(0); f != 0; f = ::EnumClipboardFormats(f)) {
        formats.push_back(f);
    }
    if (::GetLastError() != ERROR_SUCCESS)
        return std::nullopt;

    bool familySeen[4] = {false, false, false, false};
    size_t total = 0;
    for (UINT f : formats) {
        if (IsUncopyable(f) || IsExclusionMark(f))
            continue;
        int family = Family(f);
        if (family != 0) {
            if (familySeen[family])
                continue;
            familySeen[family] = true;
        }
        Item item;
        if (!ReadItem(f, item))
            continue;
        total += item.bytes.size();
        if (total > capBytes)
            return std::nullopt;
        data->items.push_back(std::move(item));
    }
    return ClipboardSnapshot(std::move(data));
}

bool ClipboardSnapshot::Restore() const {
    RetriedSession session(kRestoreAttempts);
    if (!session.open())
        return false;
    bool ok = ::EmptyClipboard() != FALSE;
    for (const Item& item : data_->items)
        ok = WriteItem(item) && ok;
    if (!data_->items.empty()) {
        WriteMark(ExcludeFromMonitors());
        WriteMark(CanIncludeInHistory());
        WriteMark(CanUploadToCloud());
    }
    return session.Close() && ok;
}

DWORD ClipboardSnapshot::sequence() const {
    return data_->sequence;
}

bool ClipboardSnapshot::empty() const {
    return data_->items.empty();
}

}  // namespace tavimo::win32
