// One real run of the whole wizard, disclaimer to finish page, on the machine's clock: the
// termios port over a pseudo-terminal that qx4t-plcsim serves, found through the virtual-port
// registry by the real port discovery. It takes the designed waits (about 20 s), so it is the
// only test of its kind.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <functional>

#include "platform/ProgramFolder.h"
#include "tests/platform/ui/support/UiTestSupport.h"
#include "tests/wizard/support/CBaseDlgTestAccess.h"
#include "wizard/frame/BaseDlg.h"
#include "wizard/frame/ProgramFolder.h"

using qx4t::test::ScriptedMessageBoxes;

namespace {

// Lets the event loop run (the wizard's timers and the link's waits) until cond holds.
bool waitFor(const std::function<bool()>& cond, std::chrono::seconds bound) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!cond()) {
        if (elapsed.elapsed() > std::chrono::milliseconds(bound).count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

TEST(WizardOverPty, FromTheDisclaimerToTheFinishPageAgainstThePlcSimulator) {
    qx4t::test::ensureApplication();
    if (!QFile::exists(QStringLiteral(QX4T_PROGRAM_DIR "/Qx4t_en.so"))) {
        GTEST_SKIP() << "the English language library is not built";
    }
    QTemporaryDir folder;
    QTemporaryDir runtime;
    ASSERT_TRUE(folder.isValid() && runtime.isValid());
    ASSERT_TRUE(QFile::copy(QStringLiteral(QX4T_PROGRAM_DIR "/Qx4t_en.so"),
                            folder.filePath(QStringLiteral("Qx4t_en.so"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QX4T_EMPTY_MODULE),
                            folder.filePath(QStringLiteral("Qx4t_V0180.so"))));
    qx4t::frame::setProgramFolderForTesting(folder.path().toStdString());
    // A registry of this test's own: only the simulator started here is listed.
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());

    QProcess plcsim;
    plcsim.setProgram(QStringLiteral(QX4T_PLCSIM));
    plcsim.setArguments({QStringLiteral("--restart-time"), QStringLiteral("2000")});
    plcsim.setProcessChannelMode(QProcess::SeparateChannels);
    plcsim.start();
    ASSERT_TRUE(plcsim.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return plcsim.canReadLine(); }, std::chrono::seconds(10)))
        << plcsim.readAllStandardError().toStdString();
    const QString port = QString::fromLocal8Bit(plcsim.readLine()).trimmed();
    ASSERT_TRUE(port.startsWith(QStringLiteral("pts/"))) << port.toStdString();

    ScriptedMessageBoxes boxes;
    boxes.expect(20018, 20003, MB_OKCANCEL | MB_ICONINFORMATION, IDOK);
    boxes.expect(20006, 20003, MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    boxes.expect(20011, 20012, MB_OK | MB_ICONINFORMATION);
    {
        CBaseDlg frame(0);
        bool finished = false;
        const auto walk = [&] {
            frame.OnBnClickedNext();  // disclaimer
            frame.OnBnClickedNext();  // preparation
            ASSERT_EQ(frame.GetCurrentPage(), 8502);
            EXPECT_EQ(*frame.GetPortPtr(), port.toStdWString());
            frame.OnBnClickedNext();
            ASSERT_TRUE(
                waitFor([&] { return frame.GetCurrentPage() != 8502; }, std::chrono::seconds(60)));
            ASSERT_EQ(frame.GetCurrentPage(), 8503);
            CBaseDlgTestAccess::Page(frame, 8503)->button(8025)->click();
            frame.OnBnClickedNext();
            ASSERT_EQ(frame.GetCurrentPage(), 8504);
            frame.OnBnClickedNext();
            finished =
                waitFor([&] { return frame.GetCurrentPage() == 8505; }, std::chrono::seconds(120));
        };
        QTimer::singleShot(0, &frame, [&] {
            walk();
            frame.EndDialog(IDCANCEL);
        });
        frame.DoModal();
        EXPECT_TRUE(finished);
        EXPECT_EQ(boxes.pending(), 0u);
    }

    plcsim.terminate();
    EXPECT_TRUE(plcsim.waitForFinished(10000));
    if (savedRuntime.isEmpty()) {
        qunsetenv("XDG_RUNTIME_DIR");
    } else {
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
    }
    qx4t::frame::setProgramFolderForTesting({});
}

}  // namespace
