#include "tests/wizard/support/NavTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include "common/Languages.h"
#include "link/PortList.h"
#include "platform/ProgramFolder.h"
#include "platform/res/Resources.h"
#include "wizard/frame/ProgramFolder.h"

namespace qx4t::test {

void forgetLanguageLibraries() {
    for (int language = 0; language < kLanguageCount; ++language) {
        const std::string_view file = languageLibraryName(language);
        const QString name = QString::fromLatin1(file.data(), std::ssize(file)).chopped(3);
        res::removeFromChain(res::findModule(name));
    }
}

void NavTest::SetUpTestSuite() {
    ensureApplication();
}

void NavTest::SetUp() {
    ASSERT_TRUE(folder.isValid());
    frame::setProgramFolderForTesting(folder.path().toStdString());
    forgetLanguageLibraries();
    // The wizard library's file: its resources are already in this test program.
    ASSERT_TRUE(QFile::copy(QStringLiteral(QX4T_EMPTY_MODULE),
                            folder.filePath(QStringLiteral("Qx4t_V0180.so"))));
    setPorts({{"ttyACM0", "TEMLO PLC USB", "cdc_acm", false}});
    time.emplace(clock);
}

void NavTest::TearDown() {
    time.reset();
    SetPortProvider(nullptr);
    frame::setProgramFolderForTesting({});
    forgetLanguageLibraries();
}

bool NavTest::installLanguage(int language) {
    const QString file = QString::fromLatin1(languageLibraryName(language).data());
    const QString built = QStringLiteral(QX4T_PROGRAM_DIR "/") + file;
    if (!QFile::exists(built)) {
        return false;
    }
    return QFile::copy(built, folder.filePath(file));
}

int NavTest::runFrame(CBaseDlg& dlg, const std::function<bool(CBaseDlg&)>& body) {
    QTimer::singleShot(0, &dlg, [&dlg, body] {
        if (body(dlg)) {
            dlg.EndDialog(IDCANCEL);
        }
    });
    return dlg.DoModal();
}

void NavTest::setPorts(std::vector<ports::PortInfo> list) {
    SetPortProvider([list] { return list; });
}

void NavTest::useDoubles(CBaseDlg& dlg) {
    CBaseDlg::PageCalls calls;
    calls.getSelectPortName = [this] { return doubles.selectedPort; };
    calls.checkPortSelect = [this] {
        ++doubles.checkCalls;
        return doubles.portOk;
    };
    calls.connectPlc = [this, &dlg] {
        ++doubles.connectCalls;
        if (doubles.connectReports) {
            dlg.SendMessage(CBaseDlg::WM_MODECHG_END, *doubles.connectReports, 0);
        }
        return doubles.connectResult;
    };
    calls.startVersionUp = [this, &dlg] {
        ++doubles.startCalls;
        doubles.portAtStart = *dlg.GetPortPtr();
        if (doubles.verupReports) {
            dlg.SendMessage(CBaseDlg::WM_VERSIONUP_END, *doubles.verupReports, 0);
        }
        return true;
    };
    dlg.SetPageCalls(std::move(calls));
}

void NavTest::walkTo(CBaseDlg& d, int target) {
    const int order[] = {8507, 8501, 8502, 8503, 8504, 8505};
    bool from = false;
    for (int current : order) {
        from = from || current == d.GetCurrentPage();
        if (current == target) {
            return;
        }
        if (from) {
            ASSERT_EQ(d.GetCurrentPage(), current);
            d.OnBnClickedNext();
        }
    }
}

QString NavTest::screenshotPath(const QString& name) {
    const QString dir =
        qEnvironmentVariable("QX4T_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".png");
}

}  // namespace qx4t::test
