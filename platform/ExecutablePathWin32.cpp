#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/ProgramFolder.h"

namespace qx4t {

// The main module's full path; long paths need a buffer larger than MAX_PATH.
std::filesystem::path executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768)  // the longest path Windows has
            return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace qx4t
