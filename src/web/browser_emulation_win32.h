// The browser control starts pages in an old document mode unless the
// program's executable is opted into the current one. That per-user value is
// the one thing the program writes.
#pragma once

#include <windows.h>

#include <string>

namespace tavimo::win32 {

// The current engine mode (IE11, standards).
constexpr DWORD kCurrentEngineMode = 11001;

struct RegistryKey {
    HKEY root;
    std::wstring path;
};

// HKCU\...\FeatureControl\FEATURE_BROWSER_EMULATION.
RegistryKey BrowserEmulationKey();

// The file name of the running executable, such as "tavimo.exe".
std::wstring OwnExecutableName();

enum class EmulationWrite { Unchanged, Written, Failed };

// Sets the value named exeName under key to mode, a REG_DWORD, but writes
// only when it is missing or different.
EmulationWrite EnsureBrowserEmulation(const RegistryKey& key, const std::wstring& exeName,
                                      DWORD mode = kCurrentEngineMode);

}  // namespace tavimo::win32
