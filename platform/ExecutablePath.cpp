#include <filesystem>
#include <system_error>

#include "platform/ProgramFolder.h"

namespace qx4t {

std::filesystem::path executablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path{} : path;
}

}  // namespace qx4t
