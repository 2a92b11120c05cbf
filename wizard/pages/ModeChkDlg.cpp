#include "wizard/pages/ModeChkDlg.h"

#include <QHideEvent>
#include <QShowEvent>

#include "wizard/frame/WizardFrame.h"

namespace {
constexpr int kAnimation = 8020;
constexpr int kAnimationResource = 8102;
constexpr int kConfirm = 8025;
}  // namespace

CModeChkDlg::CModeChkDlg(QWidget* pParent) : Dialog(IDD, pParent) {}

bool CModeChkDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    // A missing animation leaves the control empty; the page works without it.
    (void)openAnimation(kAnimation, kAnimationResource);
    UpdateData(false);
    NextFollowsBox(*this, kConfirm);
    return true;
}

void CModeChkDlg::OnCommand(int id) {
    if (id == kConfirm) {
        OnBnClickedConfirm();
        return;
    }
    Dialog::OnCommand(id);
}

void CModeChkDlg::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    if (!event->spontaneous()) {
        playAnimation(kAnimation);
        focusItem(kConfirm);
    }
}

void CModeChkDlg::hideEvent(QHideEvent* event) {
    Dialog::hideEvent(event);
    if (!event->spontaneous()) {
        stopAnimation(kAnimation);
    }
}

void CModeChkDlg::OnBnClickedConfirm() {
    NextFollowsBox(*this, kConfirm);
}
