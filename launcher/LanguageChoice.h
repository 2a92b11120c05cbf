#pragma once
#include <string>

#include "common/Languages.h"

namespace qx4t {

// The language index of the first language library present in programFolder, in index order
// (so English wins over Japanese, and so on), or kNoLanguage when there is none. Presence is a
// plain existence test: the file is neither opened nor checked, an empty one counts.
[[nodiscard]] int ChooseLanguage(const std::string& programFolder);

}  // namespace qx4t
