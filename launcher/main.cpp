// Qx4t_V0180_VupTool: one copy per user, the language of the library installed next to the
// program, and the wizard run modally until it closes.
#include <QApplication>
#include <QIcon>
#include <QString>
#include <cstdio>
#include <string>
#include <vector>

#include "launcher/Launcher.h"
#include "platform/AppFolders.h"
#include "platform/InstanceLock.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/RunLogFolder.h"
#include "wizard/frame/BaseDlg.h"

namespace {

std::string lockName(const char* argv0) {
    std::string name = qx4t::programName();
    if (name.empty()) {
        name = argv0;
        name = name.substr(name.find_last_of('/') + 1);
    }
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    // Taken before Qt starts, so that a second copy ends at once and shows nothing. The lock
    // is held until the process ends; the kernel drops it if the process is killed.
    qx4t::InstanceLock lock;
    const auto status = lock.acquire(lockName(argc > 0 ? argv[0] : "Qx4t_V0180_VupTool"));
    if (status == qx4t::InstanceLock::Status::Busy) {
        return 0;
    }

    // The program's name is its own file name, whatever link started it (the command on the
    // PATH is one): Qt takes the window class's instance part from argv[0] and the class from
    // the application name, and the message boxes' caption from the application name too. The
    // desktop entry's StartupWMClass and the desktop file name tie the windows to the menu entry.
    std::string self = qx4t::executablePath().string();
    if (self.empty()) {
        self = argc > 0 ? argv[0] : "Qx4t_V0180_VupTool";
    }
    std::vector<char*> args(argv, argv + argc);
    if (args.empty()) {
        args.push_back(nullptr);
    }
    args[0] = self.data();
    args.push_back(nullptr);
    int count = argc > 0 ? argc : 1;
    QApplication app(count, args.data());
    QCoreApplication::setApplicationName(
        QString::fromStdString(lockName(argc > 0 ? argv[0] : "Qx4t_V0180_VupTool")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.qx4t.VupTool"));
    // The framework's settings key of the original; nothing is read or written under it.
    QCoreApplication::setOrganizationName(QStringLiteral("Brevantis-KT ORKA Control"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/Qx4t_V0180_VupTool/icons/128_%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);

    if (status != qx4t::InstanceLock::Status::Acquired) {
        // Without the lock a second copy could not be kept out; say why rather than start
        // unguarded or vanish.
        const QString reason = QString::fromStdString(lock.error());
        std::fprintf(stderr, "Qx4t_V0180_VupTool: %s\n", qPrintable(reason));
        qx4t::ui::appMessageBox(QStringLiteral("QX4T cannot check for another running copy: ") +
                                reason);
        return 1;
    }

    // Each run leaves a log of its exchanges with the PLC for support.
    qx4t::ui::setRunLogFolder(qx4t::stateFolder());
    qx4t::RunLauncher(qx4t::programFolder(), [](int language) {
        CBaseDlg dlg(language, nullptr);
        dlg.DoModal();
    });
    return 0;
}
