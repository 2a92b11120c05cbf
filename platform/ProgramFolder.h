#pragma once
// Where the program's own files live.
#include <filesystem>
#include <string>

namespace qx4t {

// The folder of the running executable (from /proc/self/exe, on Windows GetModuleFileNameW,
// so the working folder and the name the program was started under do not matter), in UTF-8
// with a trailing separator. "" if unreadable.
[[nodiscard]] std::string programFolder();

// The running executable's file name without its folder. "" if unreadable.
[[nodiscard]] std::string programName();

// The running executable's full path, one file per platform; empty if unreadable.
[[nodiscard]] std::filesystem::path executablePath();

}  // namespace qx4t
