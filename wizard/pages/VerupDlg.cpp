#include "wizard/pages/VerupDlg.h"

#include <QLabel>
#include <QPalette>
#include <QProgressBar>
#include <QShowEvent>

#include <algorithm>

#include "link/ComManager.h"
#include "link/ImageTransfer.h"
#include "link/PortList.h"
#include "link/ResultCodes.h"
#include "platform/PendingUpdates.h"
#include "platform/res/Resources.h"
#include "platform/text/Utf8.h"
#include "platform/ui/MessageBox.h"
#include "wizard/frame/WizardFrame.h"

namespace {

constexpr int kLabel = 8037;
constexpr int kSeries = 8039;
constexpr int kVersionLine = 8026;
constexpr int kStatus = 8027;
constexpr int kProgress = 8028;
constexpr int kWarningLine = 8040;

constexpr unsigned kWarning = MB_OK | MB_ICONEXCLAMATION;

// The bar stands here from the confirmation until the transfer reports its first percent,
// creeping up to kCreepLimit meanwhile; the transfer itself spans from there up to 70.
constexpr int kStartPosition = 15;
constexpr int kCreepLimit = qx4t::link::kTransferBarBase;

std::wstring text(int id) {
    return qx4t::res::loadString(id).toStdWString();
}

}  // namespace

CVerupDlg::CVerupDlg(QWidget* pParent) : Dialog(IDD, pParent) {}

CWizardFrame* CVerupDlg::Frame() const {
    return FrameOf(*this);
}

void CVerupDlg::DoDataExchange(qx4t::ui::DataExchange& dx) {
    Dialog::DoDataExchange(dx);
    dx.text(kSeries, m_strSeries);
    dx.text(kLabel, m_strLabel);
    dx.text(kVersionLine, m_strVersionLine);
    dx.text(kStatus, m_strStatus);
    dx.text(kWarningLine, m_strWarning);
    dx.control(kProgress, m_prgVerup);
}

bool CVerupDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    if (QLabel* warning = label(kWarningLine)) {
        m_fontBold = warning->font();
        m_fontBold.setBold(true);
        warning->setFont(m_fontBold);
        QPalette palette = warning->palette();
        palette.setColor(QPalette::WindowText, m_clrWarning);
        warning->setPalette(palette);
    }
    UpdateData(false);
    return true;
}

void CVerupDlg::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    // Restoring the minimised wizard shows the page again without a page change: the lines
    // then keep telling what the version-up is doing.
    if (!event->spontaneous()) {
        OnShowWindow(true);
    }
}

void CVerupDlg::OnShowWindow(bool bShow) {
    CWizardFrame* frame = Frame();
    if (!bShow || frame == nullptr) {
        return;
    }
    const std::wstring target = frame->GetTargetFWVer();
    m_strSeries = frame->GetPLCSeriesName();
    m_strLabel = text(20017);
    m_strVersionLine =
        qx4t::ui::formatString(
            20005,
            {QString::fromStdWString(qx4t::PlcVersionDisplay(frame->GetPlcStatusPtr()->strVersion)),
             QString::fromStdWString(qx4t::TargetVersionDisplay(target))})
            .toStdWString();
    m_strStatus = text(20007);
    m_strWarning = text(20019);
    UpdateData(false);
}

int CVerupDlg::ProgressPos() const {
    return m_prgVerup != nullptr ? m_prgVerup->value() : 0;
}

void CVerupDlg::SetProgressPos(int nPos) {
    if (m_prgVerup != nullptr) {
        m_prgVerup->setValue(std::clamp(nPos, m_prgVerup->minimum(), m_prgVerup->maximum()));
    }
}

bool CVerupDlg::StartVersionUp() {
    // Only an explicit Yes starts a transfer that cannot be stopped.
    if (MessageBox(20006, 20003, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return true;
    }
    if (CWizardFrame* frame = Frame()) {
        frame->SetEnableBtnNext(0);
        frame->SetEnableBtnCancel(0);
    }
    m_RestartPoll.Reset();
    m_bOtherPlcSeen = false;
    showItem(kProgress, true);
    SetProgressPos(kStartPosition);
    m_strStatus = text(20008);
    m_strWarning = text(20020);
    UpdateData(false);
    SetTimer(kStartTimer, kStartDelay);
    return true;
}

void CVerupDlg::EndVersionUp(unsigned long wParam) {
    m_RestartPoll.Reset();
    if (CWizardFrame* frame = Frame()) {
        // The verdict is in: other tools may take the PLC now.
        frame->GetPlcHoldPtr()->release();
        frame->SendMessage(CWizardFrame::WM_VERSIONUP_END, wParam, 0);
    }
}

void CVerupDlg::Fail(int timerId) {
    KillTimer(timerId);
    MessageBox(25013, 25014, kWarning);
    EndVersionUp(0);
}

void CVerupDlg::OnTimer(int id) {
    switch (id) {
        case kStartTimer:
            OnTransfer();
            break;
        case kTransferTimer:
            OnTransferProgress();
            break;
        case kSettleTimer:
            OnSettleEnd();
            break;
        case kCreepTimer:
            OnCreep();
            break;
        case kPollTimer:
            OnPoll();
            break;
        default:
            break;
    }
    Dialog::OnTimer(id);
}

void CVerupDlg::OnTransfer() {
    KillTimer(kStartTimer);
    m_nProgress = 0;
    SetTimer(kTransferTimer, kTransferPeriod);

    CWizardFrame* frame = Frame();
    const stPlcStatus& status = *frame->GetPlcStatusPtr();
    const qx4t::ModelRow* row = qx4t::FindModel(status.strModel);
    if (row == nullptr) {
        KillTimer(kTransferTimer);
        MessageBox(25003, 25004, kWarning);
        EndVersionUp(0);
        return;
    }
    const bool ethernet = qx4t::UsesEthernetImage(*row);
    const void* image =
        ethernet ? frame->GetEthernetFWUpdateDataPtr() : frame->GetFWUpdateDataPtr();
    const auto size = static_cast<std::uint32_t>(ethernet ? frame->GetEthernetWUpdateDataSize()
                                                          : frame->GetFWUpdateDataSize());
    if (image == nullptr) {
        Fail(kTransferTimer);
        return;
    }
    if (!ImageAsBuilt(*frame, status.strModel)) {
        KillTimer(kTransferTimer);
        MessageBox(26001, 26002, kWarning);
        EndVersionUp(0);
        return;
    }

    CComManager* link = frame->GetComPortPtr();
    int sent = qx4t::link::kOk;
    if (qx4t::IsUpdateMode(status.strMode)) {
        // The connect page found the PLC already in its update mode and left the port open.
        sent = link->SendFWImage(image, size, &m_nProgress);
        link->ClosePort();
    } else {
        if (link->OpenPort(*frame->GetPortPtr()) != qx4t::link::kOk) {
            Fail(kTransferTimer);
            return;
        }
        if (!IsThePlc(*link, *frame->GetPlcIdentityPtr(), *frame->GetPortPtr())) {
            // Not the PLC that waits in its update mode: it gets no image.
            link->ClosePort();
            KillTimer(kTransferTimer);
            MessageBox(26007, 26008, kWarning,
                       {QString::fromStdString(qx4t::wideToUtf8(*frame->GetPortPtr()))});
            EndVersionUp(0);
            return;
        }
        stPlcStatus scratch;
        const int read = link->ReadPlcStatus(&scratch);
        if (read != qx4t::link::kOk && read != qx4t::link::kUpdateMode) {
            link->ClosePort();
            Fail(kTransferTimer);
            return;
        }
        sent = link->SendFWImage(image, size, &m_nProgress);
        link->ClosePort();
    }
    if (sent != qx4t::link::kOk) {
        Fail(kTransferTimer);
        return;
    }
    UpdateData(false);
    KillTimer(kTransferTimer);
    m_RestartPoll.Start(ProgressPos());
    SetTimer(kSettleTimer, qx4t::RestartPoll::kSettleDelay);
}

void CVerupDlg::OnTransferProgress() {
    const int position = ProgressPos();
    if (m_nProgress == 0) {
        if (position < kCreepLimit) {
            SetProgressPos(position + 1);
        }
        return;
    }
    m_strStatus = text(20009);
    m_strWarning = text(20020);
    UpdateData(false);
    SetProgressPos(qx4t::link::TransferBarPosition(m_nProgress));
}

void CVerupDlg::OnSettleEnd() {
    KillTimer(kSettleTimer);
    m_strStatus = text(20009);
    m_strWarning = text(20020);
    m_RestartPoll.OnSettleEnd();
    SetProgressPos(m_RestartPoll.Position());
    UpdateData(false);
    SetTimer(kCreepTimer, qx4t::RestartPoll::kCreepPeriod);
}

void CVerupDlg::OnCreep() {
    if (!m_RestartPoll.OnCreepTick()) {
        SetProgressPos(m_RestartPoll.Position());
        return;
    }
    KillTimer(kCreepTimer);
    m_strStatus = text(20010);
    showItem(kWarningLine, false);
    SetProgressPos(m_RestartPoll.Position());
    UpdateData(false);
    SetTimer(kPollTimer, qx4t::RestartPoll::kPollPeriod);
}

void CVerupDlg::OnPoll() {
    // A tick that comes while an earlier poll still waits inside the link does nothing.
    if (!m_RestartPoll.BeginPoll()) {
        return;
    }
    CWizardFrame* frame = Frame();
    CComManager* link = frame->GetComPortPtr();
    stPlcStatus scratch;
    int read = -1;
    // Only the PLC that was updated is polled, under whatever name it has now; not listed, it
    // counts as no answer, for its old name may belong to another PLC by now.
    using Kind = qx4t::ports::PlcWhereabouts::Kind;
    const auto where = LocatePlcPort(*frame->GetPlcIdentityPtr(), *frame->GetPortPtr());
    if (where.kind == Kind::OtherOnName) {
        m_bOtherPlcSeen = true;
    }
    if (where.kind == Kind::Listed || where.kind == Kind::NameOnly) {
        *frame->GetPortPtr() = qx4t::utf8ToWide(where.port);
        if (link->OpenPort(*frame->GetPortPtr()) == qx4t::link::kOk) {
            if (IsThePlc(*link, *frame->GetPlcIdentityPtr(), *frame->GetPortPtr())) {
                read = link->ReadPlcStatus(&scratch);
            } else {
                m_bOtherPlcSeen = true;
            }
            link->ClosePort();
        }
    }
    // Verified only when the identity and the model are those of the first status read; a
    // PLC of another model is another PLC, and counts as no answer.
    if (read == qx4t::link::kOk &&
        qx4t::JudgeRestartAnswer(qx4t::PortMatch::Same, frame->GetPlcStatusPtr()->strModel,
                                 scratch.strModel, scratch.strVersion,
                                 frame->GetTargetFWVer()) == qx4t::RestartVerdict::OtherPlc) {
        m_bOtherPlcSeen = true;
        read = -1;
    }
    const auto outcome = m_RestartPoll.EndPoll(read == qx4t::link::kOk);
    SetProgressPos(m_RestartPoll.Position());
    switch (outcome) {
        case qx4t::RestartPoll::PollOutcome::Busy:
        case qx4t::RestartPoll::PollOutcome::KeepPolling:
            return;
        case qx4t::RestartPoll::PollOutcome::Answered:
            KillTimer(kPollTimer);
            if (qx4t::IsTargetVersion(scratch.strVersion, frame->GetTargetFWVer())) {
                (void)qx4t::PendingUpdates().clearAll(
                    qx4t::OwnNoteKeys(*frame->GetPlcIdentityPtr()));
                MessageBox(20011, 20012, MB_OK | MB_ICONINFORMATION);
                EndVersionUp(1);
            } else {
                MessageBox(25013, 25014, kWarning);
                EndVersionUp(0);
            }
            return;
        case qx4t::RestartPoll::PollOutcome::Ask:
            KillTimer(kPollTimer);
            if (m_bOtherPlcSeen) {
                // Said, and never verified: the wait goes on for the PLC that was updated.
                m_bOtherPlcSeen = false;
                MessageBox(26007, 26008, kWarning,
                           {QString::fromStdString(qx4t::wideToUtf8(*frame->GetPortPtr()))});
            }
            // The round's last poll was answered with the update-mode bit still set: the PLC did
            // not start with the new firmware, which is not the same as no answer.
            if (const bool stillInUpdateMode = read == qx4t::link::kUpdateMode;
                MessageBox(stillInUpdateMode ? 26009 : 25011, stillInUpdateMode ? 26010 : 25012,
                           MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY) {
                m_RestartPoll.Retry();
                SetTimer(kPollTimer, qx4t::RestartPoll::kPollPeriod);
            } else {
                EndVersionUp(0);
            }
            return;
    }
}
