#include "wizard/frame/ProgramFolder.h"

#include "platform/ProgramFolder.h"

namespace qx4t::frame {
namespace {

std::string& overrideFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string programFolder() {
    return overrideFolder().empty() ? qx4t::programFolder() : overrideFolder();
}

void setProgramFolderForTesting(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    overrideFolder() = std::move(folder);
}

}  // namespace qx4t::frame
