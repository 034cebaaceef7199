#include "web/browser_emulation_win32.h"

#include "win32/handles_win32.h"

namespace tavimo::win32 {

namespace {
void CloseKey(HKEY k) {
    ::RegCloseKey(k);
}
using UniqueKey = Unique<HKEY, CloseKey>;

bool AlreadySet(const RegistryKey& key, const std::wstring& name, DWORD mode) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return false;
    UniqueKey k(raw);
    DWORD type = 0, value = 0, size = sizeof value;
    const LSTATUS s = ::RegQueryValueExW(k.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    return s == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == mode;
}
}  // namespace

RegistryKey BrowserEmulationKey() {
    return {HKEY_CURRENT_USER,
            L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
            L"FEATURE_BROWSER_EMULATION"};
}

std::wstring OwnExecutableName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

EmulationWrite EnsureBrowserEmulation(const RegistryKey& key, const std::wstring& exeName,
                                      DWORD mode) {
    if (exeName.empty())
        return EmulationWrite::Failed;
    if (AlreadySet(key, exeName, mode))
        return EmulationWrite::Unchanged;
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(key.root, key.path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
        return EmulationWrite::Failed;
    UniqueKey k(raw);
    if (::RegSetValueExW(k.get(), exeName.c_str(), 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&mode), sizeof mode) != ERROR_SUCCESS)
        return EmulationWrite::Failed;
    return EmulationWrite::Written;
}

}  // namespace tavimo::win32
