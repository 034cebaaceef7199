// The drop target 拖放对象1: files only. A drop is queued and announced by a
// message posted to a window, so Drop returns (and the program the files came
// from goes on) before anything is loaded.
#pragma once

#include <oleidl.h>
#include <windows.h>

#include <atomic>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tavimo::loading {

// The paths of a CF_HDROP data object, in the order the drop lists them;
// empty when it has none.
std::vector<std::u16string> DroppedPaths(IDataObject* data);

class FileDropTarget final : public IDropTarget {
  public:
    // Each drop of files is queued and (notify, message) posted once.
    FileDropTarget(HWND notify, UINT message) : notify_(notify), message_(message) {}
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;

    // The oldest queued drop; nullopt when none is waiting.
    std::optional<std::vector<std::u16string>> TakeDrop();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at,
                                   DWORD* effect) override;

  private:
    ~FileDropTarget() = default;

    std::atomic<ULONG> refs_{1};
    HWND notify_;
    UINT message_;
    bool acceptable_ = false;
    std::deque<std::vector<std::u16string>> drops_;
};

}  // namespace tavimo::loading
