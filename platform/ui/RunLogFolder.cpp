#include "platform/ui/RunLogFolder.h"

#include <utility>

namespace qx4t::ui {
namespace {

std::string& folder() {
    static std::string path;
    return path;
}

}  // namespace

void setRunLogFolder(std::string path) {
    folder() = std::move(path);
}

const std::string& runLogFolder() {
    return folder();
}

}  // namespace qx4t::ui
