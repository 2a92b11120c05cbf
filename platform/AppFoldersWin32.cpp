#include <windows.h>

#include <string>

#include "platform/AppFolders.h"
#include "platform/text/Utf8.h"

namespace qx4t {
namespace {

std::string localAppDataFolder(const wchar_t* leaf) {
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD n = ::GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, std::size(buffer));
    if (n == 0 || n >= std::size(buffer))
        return {};
    return wideToUtf8(std::wstring(buffer, n) + L"\\QX4T\\" + leaf);
}

}  // namespace

std::string stateFolder() {
    return localAppDataFolder(L"state");
}

std::string logFolder() {
    return localAppDataFolder(L"logs");
}

std::string accountStateFolder() {
    return stateFolder();
}

std::string pathIn(const std::string& folder, const std::string& name) {
    return folder + "\\" + name;
}

}  // namespace qx4t
