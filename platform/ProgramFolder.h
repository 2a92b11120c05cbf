#pragma once
// Where the program's own files live.
#include <string>

namespace qx4t {

// The folder of the running executable (from /proc/self/exe, so the working folder and the
// name the program was started under do not matter), with a trailing '/'. "" if unreadable.
[[nodiscard]] std::string programFolder();

// The running executable's file name without its folder. "" if unreadable.
[[nodiscard]] std::string programName();

}  // namespace qx4t
