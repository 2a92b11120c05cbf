#include "tests/wizard/support/WizardRig.h"

#include "tests/wizard/support/NavTestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include "common/Languages.h"
#include "link/PortList.h"
#include "platform/ProgramFolder.h"
#include "platform/res/Resources.h"
#include "tests/platform/ui/support/UiTestSupport.h"
#include "tests/wizard/support/CBaseDlgTestAccess.h"
#include "tests/wizard/support/NavTestSupport.h"
#include "wizard/frame/ProgramFolder.h"

namespace qx4t::test {

WizardRig::WizardRig(int language) : m_folder(std::make_unique<QTemporaryDir>()) {
    ensureApplication();
    const QString file = QString::fromLatin1(languageLibraryName(language).data());
    const QString built = QStringLiteral(QX4T_PROGRAM_DIR "/") + file;
    if (!m_folder->isValid() || !QFile::exists(built)) {
        return;
    }
    // The wizard's own resources are linked into the test; its file only has to be there.
    if (!QFile::copy(built, m_folder->filePath(file)) ||
        !QFile::copy(QStringLiteral(QX4T_EMPTY_MODULE), m_folder->filePath("Qx4t_V0180.so"))) {
        return;
    }
    frame::setProgramFolderForTesting(m_folder->path().toStdString());
    // The note of unverified updates is the rig's own: one scenario's PLC is not the next's.
    ::setenv("XDG_STATE_HOME", m_folder->filePath("state").toLocal8Bit().constData(), 1);
    ::setenv("QX4T_HOLD_DIR", m_folder->filePath("holds").toLocal8Bit().constData(), 1);
    ports = [this] { return bench.portInfos(); };
    SetPortProvider([this] { return ports(); });
    CComManager::SetPortFactory(bench.portFactory());
    m_frame = std::make_unique<Frame>(language);
    m_time = std::make_unique<ui::VirtualTime>(clock);
    m_ready = true;
}

WizardRig::~WizardRig() {
    m_time.reset();
    m_frame.reset();
    CComManager::SetPortFactory(nullptr);
    SetPortProvider(nullptr);
    frame::setProgramFolderForTesting({});
    forgetLanguageLibraries();
}

int WizardRig::run(const std::function<void()>& body) {
    QTimer::singleShot(0, m_frame.get(), [this, body] {
        body();
        if (!m_frame->endedByPage) {
            m_frame->EndDialog(IDCANCEL);
        }
    });
    return m_frame->DoModal();
}

CConnectDlg& WizardRig::connectPage() {
    return static_cast<CConnectDlg&>(page(CConnectDlg::IDD));
}
CVerupDlg& WizardRig::verupPage() {
    return static_cast<CVerupDlg&>(page(CVerupDlg::IDD));
}
ui::Dialog& WizardRig::page(int id) {
    return *CBaseDlgTestAccess::Page(*m_frame, id);
}

void WizardRig::toConnectPage() {
    if (m_frame->GetCurrentPage() == 8507) {
        m_frame->OnBnClickedNext();
    }
    if (m_frame->GetCurrentPage() == 8501) {
        m_frame->OnBnClickedNext();
    }
}

void WizardRig::connectNext() {
    m_frame->OnBnClickedNext();
}

void WizardRig::verupNext() {
    m_frame->OnBnClickedNext();
}

bool WizardRig::runUntil(const std::function<bool()>& cond, Clock::duration bound) {
    return m_time->runUntil(cond, bound);
}

int WizardRig::statusReads(const sim::PlcCore& plc) const {
    int reads = 0;
    for (const sim::Exchange& e : plc.exchanges()) {
        if (e.direction == sim::Direction::ToPlc && e.note == "status read") {
            ++reads;
        }
    }
    return reads;
}

QString screenshotDir() {
    const QString dir =
        qEnvironmentVariable("QX4T_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir;
}

}  // namespace qx4t::test
