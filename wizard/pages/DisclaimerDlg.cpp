#include "wizard/pages/DisclaimerDlg.h"

#include <QLabel>
#include <QShowEvent>

#include "platform/res/Resources.h"
#include "wizard/frame/WizardFrame.h"

namespace {
constexpr int kHeading = 8042;
constexpr int kAgree = 8043;
constexpr int kText = 8044;
constexpr int kDisclaimerText = 25028;
}  // namespace

CDisclaimerDlg::CDisclaimerDlg(QWidget* pParent) : Dialog(IDD, pParent) {}

bool CDisclaimerDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    // The heading stands out in the page's own font, only heavier.
    if (QLabel* heading = label(kHeading)) {
        QFont bold = font();
        bold.setWeight(QFont::Bold);
        heading->setFont(bold);
    }
    UpdateData(false);
    NextFollowsBox(*this, kAgree);
    return true;
}

void CDisclaimerDlg::DoDataExchange(qx4t::ui::DataExchange& dx) {
    Dialog::DoDataExchange(dx);
    dx.text(kText, m_strDisclaimer);
}

void CDisclaimerDlg::OnCommand(int id) {
    if (id == kAgree) {
        OnBnClickedAgree();
        return;
    }
    Dialog::OnCommand(id);
}

void CDisclaimerDlg::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    if (!event->spontaneous()) {
        OnShowWindow();
    }
}

void CDisclaimerDlg::OnShowWindow() {
    m_strDisclaimer = qx4t::res::loadString(kDisclaimerText).toStdWString();
    focusItem(kAgree);
    UpdateData(false);
}

void CDisclaimerDlg::OnBnClickedAgree() {
    NextFollowsBox(*this, kAgree);
}
