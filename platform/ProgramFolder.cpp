#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace qx4t {
namespace {

std::filesystem::path executablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path{} : path;
}

}  // namespace

std::string programFolder() {
    const auto path = executablePath();
    if (path.empty()) {
        return {};
    }
    std::string folder = path.parent_path().string();
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string programName() {
    return executablePath().filename().string();
}

}  // namespace qx4t
