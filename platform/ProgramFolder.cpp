#include "platform/ProgramFolder.h"

#include <filesystem>

namespace qx4t {
namespace {

// Paths go out as UTF-8 on every platform; on Windows string() would give the ANSI code page.
std::string utf8(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace

std::string programFolder() {
    const auto path = executablePath();
    if (path.empty()) {
        return {};
    }
    std::string folder = utf8(path.parent_path());
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (folder.empty() || folder.back() != separator) {
        folder += separator;
    }
    return folder;
}

std::string programName() {
    return utf8(executablePath().filename());
}

}  // namespace qx4t
