#pragma once
// The tool's folder for what it keeps between runs (run logs): $XDG_STATE_HOME/qx4t, or
// ~/.local/state/qx4t when XDG_STATE_HOME is unset or not absolute, as the XDG base directory
// rules say. Empty when neither variable gives an absolute path. Not created here.
#include <string>

namespace qx4t {

[[nodiscard]] std::string stateFolder();

}  // namespace qx4t
