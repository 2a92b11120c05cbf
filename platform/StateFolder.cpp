#include "platform/StateFolder.h"

#include <cstdlib>

namespace qx4t {

std::string stateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/qx4t";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.local/state/qx4t";
    return {};
}

}  // namespace qx4t
