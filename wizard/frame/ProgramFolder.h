#pragma once
// Where the frame looks for the language library and for the wizard library itself: the
// program's folder, or a folder that a test names instead.
#include <string>

namespace qx4t::frame {

[[nodiscard]] std::string programFolder();
// An empty folder goes back to the program's own.
void setProgramFolderForTesting(std::string folder);

}  // namespace qx4t::frame
