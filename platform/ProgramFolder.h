#pragma once
// Where the program's own files live, and the language libraries' file names. The launcher and
// the wizard library share this table: the launcher picks an index by the file present, the
// wizard library loads the file of that index.
#include <array>
#include <string>
#include <string_view>

namespace qx4t {

inline constexpr int kLanguageCount = 10;
// The launcher's answer when no language library is installed.
inline constexpr int kNoLanguage = 10;

// By language index: English, Japanese, Simplified Chinese, Traditional Chinese, Korean,
// Spanish, Italian, German, French, Thai.
inline constexpr std::array<std::string_view, kLanguageCount> kLanguageLibraryNames = {
    "Qx4t_en.so",     "Qx4t_ja.so",     "QX4T_VupChs.so", "QX4T_VupCht.so", "QX4T_VupKor.so",
    "QX4T_VupEsp.so", "QX4T_VupIta.so", "QX4T_VupDeu.so", "QX4T_VupFra.so", "QX4T_VupThi.so",
};

// The language library's file name for an index, or "" for an index outside 0..9.
[[nodiscard]] std::string_view languageLibraryName(int language);

// The folder of the running executable (from /proc/self/exe, so the working folder and the
// name the program was started under do not matter), with a trailing '/'. "" if unreadable.
[[nodiscard]] std::string programFolder();

// The running executable's file name without its folder. "" if unreadable.
[[nodiscard]] std::string programName();

}  // namespace qx4t
