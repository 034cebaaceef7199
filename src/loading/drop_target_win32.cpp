#include "loading/drop_target_win32.h"

#include <shellapi.h>

#include "app/job_guard.h"

namespace tavimo::loading {

namespace {

FORMATETC FileListFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool OffersFiles(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

// Copy or link, whichever the source allows; never move, which would make the
// source delete its file. While a long job runs a drop would be dropped
// anyway, so the cursor says so.
DWORD EffectFor(bool acceptable, DWORD allowed) {
    if (!acceptable || JobGuard::Busy())
        return DROPEFFECT_NONE;
    if (allowed & DROPEFFECT_COPY)
        return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_LINK)
        return DROPEFFECT_LINK;
    return DROPEFFECT_NONE;
}

struct Medium {
    STGMEDIUM m{};
    ~Medium() {
        if (m.tymed != TYMED_NULL)
            ::ReleaseStgMedium(&m);
    }
};

}  // namespace

std::vector<std::u16string> DroppedPaths(IDataObject* data) {
    std::vector<std::u16string> paths;
    if (!OffersFiles(data))
        return paths;
    FORMATETC format = FileListFormat();
    Medium medium;
    if (FAILED(data->GetData(&format, &medium.m)) || medium.m.tymed != TYMED_HGLOBAL)
        return paths;
    auto drop = static_cast<HDROP>(medium.m.hGlobal);
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0)
            continue;
        std::wstring path(length + 1, L'\0');
        UINT got = ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(got);
        paths.emplace_back(path.begin(), path.end());
    }
    return paths;
}

std::optional<std::vector<std::u16string>> FileDropTarget::TakeDrop() {
    if (drops_.empty())
        return std::nullopt;
    auto drop = std::move(drops_.front());
    drops_.pop_front();
    return drop;
}

HRESULT FileDropTarget::QueryInterface(REFIID riid, void** out) {
    if (!out)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG FileDropTarget::AddRef() {
    return ++refs_;
}

ULONG FileDropTarget::Release() {
    ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    acceptable_ = OffersFiles(data);
    if (effect)
        *effect = EffectFor(acceptable_, *effect);
    return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect)
        *effect = EffectFor(acceptable_, *effect);
    return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
    acceptable_ = false;
    return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    DWORD allowed = effect ? *effect : DROPEFFECT_COPY;
    acceptable_ = false;
    bool queued = false;
    if (JobGuard::Busy()) {
        if (effect)
            *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    try {
        std::vector<std::u16string> paths = DroppedPaths(data);
        if (!paths.empty()) {
            drops_.push_back(std::move(paths));
            queued = true;
        }
    } catch (...) {
        queued = false;  // out of memory: the drop is refused
    }
    if (queued && !::PostMessageW(notify_, message_, 0, 0)) {
        drops_.pop_back();
        queued = false;
    }
    if (effect)
        *effect = EffectFor(queued, allowed);
    return S_OK;
}

}  // namespace tavimo::loading
