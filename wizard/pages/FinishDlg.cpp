#include "wizard/pages/FinishDlg.h"

#include <QShowEvent>

#include "common/VersionRules.h"
#include "link/ComManager.h"
#include "platform/ui/MessageBox.h"
#include "wizard/frame/WizardFrame.h"

namespace {
constexpr int kSeries = 8039;
constexpr int kVersionLine = 8026;
constexpr int kVersionFormat = 20005;
}  // namespace

CFinishDlg::CFinishDlg(QWidget* pParent) : Dialog(IDD, pParent) {}

void CFinishDlg::DoDataExchange(qx4t::ui::DataExchange& dx) {
    Dialog::DoDataExchange(dx);
    dx.text(kSeries, m_strSeries);
    dx.text(kVersionLine, m_strVersionLine);
}

void CFinishDlg::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    if (!event->spontaneous()) {
        OnShowWindow();
    }
}

void CFinishDlg::OnShowWindow() {
    auto* frame = FrameOf(*this);
    if (frame == nullptr) {
        return;
    }
    m_strSeries = frame->GetPLCSeriesName();
    // The frame's record still holds what the PLC reported before the update.
    const QString previous =
        QString::fromStdWString(qx4t::PlcVersionDisplay(frame->GetPlcStatusPtr()->strVersion));
    const QString target =
        QString::fromStdWString(qx4t::TargetVersionDisplay(frame->GetTargetFWVer()));
    m_strVersionLine = qx4t::ui::formatString(kVersionFormat, {previous, target}).toStdWString();
    UpdateData(false);
}
