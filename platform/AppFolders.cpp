#include "platform/AppFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace qx4t {
namespace {

// The XDG rule: a value that is not an absolute path is to be ignored.
const char* absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : nullptr;
}

}  // namespace

std::string stateFolder() {
    if (const char* state = absoluteVariable("XDG_STATE_HOME"))
        return std::string(state) + "/qx4t";
    if (const char* home = absoluteVariable("HOME"))
        return std::string(home) + "/.local/state/qx4t";
    return {};
}

std::string accountStateFolder() {
    std::string folder = stateFolder();
    if (folder.empty()) {
        const passwd* pw = ::getpwuid(::geteuid());
        if (pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] == '/')
            folder = std::string(pw->pw_dir) + "/.local/state/qx4t";
    }
    return folder;
}

std::string pathIn(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

std::string logFolder() {
    const std::string state = stateFolder();
    return state.empty() ? state : state + "/log";
}

}  // namespace qx4t
