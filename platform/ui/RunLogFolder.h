#pragma once
// Where this process keeps its run log. The program names the folder before it runs the
// wizard; tests and benches that build the wizard in-process leave it empty and write nothing
// into the user's state folder. It lives in the layer because the layer is the one library
// that the program and the wizard library share.
#include <string>

namespace qx4t::ui {

void setRunLogFolder(std::string folder);
[[nodiscard]] const std::string& runLogFolder();

}  // namespace qx4t::ui
