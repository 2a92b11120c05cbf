// The language table: the order of the indexes is fixed (the launcher's choice and the frame's
// load depend on it), and each row's library, manual and load failure text name one language,
// so that a row added or moved out of place shows here rather than as a wrong manual.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "common/Languages.h"

namespace {

using qx4t::kLanguages;

TEST(Languages, CodesAndLibrariesInIndexOrder) {
    const char* const codes[] = {"en", "ja", "zh_CN", "zh_TW", "ko", "es", "it", "de", "fr", "th"};
    ASSERT_EQ(qx4t::kLanguageCount, 10);
    EXPECT_EQ(qx4t::kNoLanguage, 10);
    for (int i = 0; i < qx4t::kLanguageCount; ++i) {
        EXPECT_EQ(qx4t::FindLanguage(i)->code, codes[i]) << i;
    }
    EXPECT_EQ(qx4t::languageLibraryName(0), "Qx4t_en.so");
    EXPECT_EQ(qx4t::languageLibraryName(1), "Qx4t_ja.so");
    EXPECT_EQ(qx4t::languageLibraryName(9), "QX4T_VupThi.so");
    EXPECT_EQ(qx4t::languageLibraryName(-1), "");
    EXPECT_EQ(qx4t::languageLibraryName(10), "");
    EXPECT_EQ(qx4t::FindLanguage(10), nullptr);
}

TEST(Languages, EachRowNamesOneLanguage) {
    // The first two rows carry names of their own; the others share one three-letter tag.
    EXPECT_EQ(kLanguages[0].manual, "./Qx4t_Manual_en.pdf");
    EXPECT_EQ(kLanguages[0].loadFailure, "QX4T_VupEnu Resource file cannot be read.");
    EXPECT_EQ(kLanguages[1].manual, "./Qx4t_Manual_ja.pdf");
    EXPECT_EQ(kLanguages[1].loadFailure, "QX4T_VupJpn Resource file cannot be read.");
    for (std::size_t i = 2; i < kLanguages.size(); ++i) {
        const std::string_view library = kLanguages[i].library;
        ASSERT_EQ(library.size(), std::string_view("QX4T_VupXxx.so").size()) << library;
        const std::string tag(library.substr(8, 3));
        EXPECT_EQ(library, "QX4T_Vup" + tag + ".so");
        EXPECT_EQ(kLanguages[i].manual, "./Qx4t_Vup_Man" + tag + ".pdf") << library;
        EXPECT_EQ(kLanguages[i].loadFailure, "QX4T_Vup" + tag + " Resource file cannot be read.")
            << library;
    }
}

}  // namespace
