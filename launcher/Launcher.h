#pragma once
#include <functional>
#include <string>

#include "common/Languages.h"

namespace qx4t {

// The launcher's whole run once the process is the only copy: chooses the language from the
// libraries in programFolder and runs the wizard in it (runWizard returns when the wizard has
// closed), or, with no language library, tells the user in the application's message box and
// runs nothing. Returns the language index, kNoLanguage in the second case.
int RunLauncher(const std::string& programFolder, const std::function<void(int)>& runWizard);

}  // namespace qx4t
