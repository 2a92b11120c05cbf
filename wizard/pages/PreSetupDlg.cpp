#include "wizard/pages/PreSetupDlg.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "common/Languages.h"
#include "common/VersionRules.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Shell.h"
#include "wizard/frame/ProgramFolder.h"
#include "wizard/frame/WizardFrame.h"

namespace {

constexpr int kVersionLine = 8013;
constexpr int kManualLink = 8014;
constexpr int kReady = 8041;
constexpr int kVersionFormat = 20004;

}  // namespace

CPreSetupDlg::CPreSetupDlg(QWidget* pParent) : Dialog(IDD, pParent) {}

QString CPreSetupDlg::ManualFileOf(int nLanguage) {
    // Relative, so the manual is looked for where the tool was started.
    const qx4t::LanguageRow* row = qx4t::FindLanguage(nLanguage);
    if (row == nullptr) {
        return {};
    }
    return QString::fromLatin1(row->manual.data(), static_cast<qsizetype>(row->manual.size()));
}

bool CPreSetupDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    auto* frame = FrameOf(*this);
    const std::wstring target = frame != nullptr ? frame->GetTargetFWVer() : std::wstring();
    m_strVersionLine =
        qx4t::ui::formatString(kVersionFormat,
                               {QString::fromStdWString(qx4t::TargetVersionDisplay(target))})
            .toStdWString();
    m_strManualURL = frame != nullptr ? ManualFileOf(frame->GetLanguage()) : QString();
    if (QLabel* link = label(kManualLink)) {
        connect(link, &QLabel::linkActivated, this, [this] { OnManualLink(); });
        link->adjustSize();
    }
    UpdateData(false);
    NextFollowsBox(*this, kReady);
    return true;
}

void CPreSetupDlg::DoDataExchange(qx4t::ui::DataExchange& dx) {
    Dialog::DoDataExchange(dx);
    dx.text(kVersionLine, m_strVersionLine);
}

void CPreSetupDlg::OnCommand(int id) {
    if (id == kReady) {
        OnBnClickedReady();
        return;
    }
    if (id == kManualLink) {  // a layout may make the link a command link button
        OnManualLink();
        return;
    }
    Dialog::OnCommand(id);
}

void CPreSetupDlg::ClearReadyBox() {
    if (QAbstractButton* box = button(kReady)) {
        box->setChecked(false);
    }
}

void CPreSetupDlg::OnBnClickedReady() {
    NextFollowsBox(*this, kReady);
}

void CPreSetupDlg::OnManualLink() {
    // A language without a manual has a link that goes nowhere, as it always had.
    if (m_strManualURL.isEmpty()) {
        return;
    }
    // The installed manual lies beside the program; started from a desktop menu, the current
    // folder is the home folder, where no manual is. A manual copied beside the tool in the
    // folder it is started from is still found when the program folder has none.
    const QString installed = QDir(QString::fromStdString(qx4t::frame::programFolder()))
                                  .filePath(QFileInfo(m_strManualURL).fileName());
    qx4t::ui::openDocument(QFileInfo::exists(installed) ? installed : m_strManualURL);
}
