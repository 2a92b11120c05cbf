#include "launcher/Launcher.h"

#include <QString>

#include "launcher/LanguageChoice.h"
#include "platform/ui/MessageBox.h"

namespace qx4t {

int RunLauncher(const std::string& programFolder, const std::function<void(int)>& runWizard) {
    const int language = ChooseLanguage(programFolder);
    if (language >= kNoLanguage) {
        // No string table to take a text from: the one fixed English message of the launcher.
        ui::appMessageBox(QStringLiteral("QX4T Language Resource File not found."));
        return language;
    }
    runWizard(language);
    return language;
}

}  // namespace qx4t
