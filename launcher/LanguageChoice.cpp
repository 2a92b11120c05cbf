#include "launcher/LanguageChoice.h"

#include <filesystem>
#include <system_error>

#include "common/Languages.h"

namespace qx4t {

int ChooseLanguage(const std::string& programFolder) {
    // An empty folder would turn the test into one of the working folder.
    if (programFolder.empty()) {
        return kNoLanguage;
    }
    const std::filesystem::path folder(programFolder);
    for (int language = 0; language < kLanguageCount; ++language) {
        std::error_code ec;
        if (std::filesystem::exists(folder / languageLibraryName(language), ec)) {
            return language;
        }
    }
    return kNoLanguage;
}

}  // namespace qx4t
