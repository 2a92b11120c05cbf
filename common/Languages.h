#pragma once
// The one language table: by language index, the language library the launcher looks for and
// the frame loads, the manual the preparation page links, and the text shown when the library
// cannot be loaded. The rows are in Languages.def, which the build reads too.
#include <array>
#include <string_view>

namespace qx4t {

struct LanguageRow {
    std::string_view code;         // folder under lang/ and locale tag ("en", "zh_CN")
    std::string_view library;      // file name in the program folder
    std::string_view manual;       // relative to the current folder
    std::string_view loadFailure;  // fixed English
};

inline constexpr std::array kLanguages = {
#define QX4T_LANGUAGE(code, library, manual, loadFailure) \
    LanguageRow{code, library, manual, loadFailure},
#include "common/Languages.def"
#undef QX4T_LANGUAGE
};

inline constexpr int kLanguageCount = static_cast<int>(kLanguages.size());
// The launcher's answer when no language library is installed.
inline constexpr int kNoLanguage = kLanguageCount;
// The load failure text for an index outside the table (no library name is formed for it).
inline constexpr std::string_view kUnknownLanguageLoadFailure =
    "QX4T_Vup Language Resource file cannot be read.";

// The row of a language index, or null outside 0..kLanguageCount-1.
[[nodiscard]] constexpr const LanguageRow* FindLanguage(int language) {
    if (language < 0 || language >= kLanguageCount) {
        return nullptr;
    }
    return &kLanguages[static_cast<std::size_t>(language)];
}

// The language library's file name for an index, or "" outside the table.
[[nodiscard]] constexpr std::string_view languageLibraryName(int language) {
    const LanguageRow* row = FindLanguage(language);
    return row != nullptr ? row->library : std::string_view{};
}

}  // namespace qx4t
