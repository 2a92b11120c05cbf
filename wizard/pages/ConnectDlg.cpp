#include "wizard/pages/ConnectDlg.h"

#include <QAbstractButton>
#include <QHideEvent>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>

#include <algorithm>

#include "common/VersionRules.h"
#include "link/ComManager.h"
#include "link/PortList.h"
#include "link/ResultCodes.h"
#include "platform/PendingUpdates.h"
#include "platform/res/Resources.h"
#include "platform/text/Utf8.h"
#include "platform/ui/MessageBox.h"
#include "wizard/frame/RunLogging.h"
#include "wizard/frame/WizardFrame.h"

namespace {

constexpr int kPortList = 8015;
constexpr int kRefresh = 8016;
constexpr int kFirstRadio = 8017;
constexpr int kSecondRadio = 8018;
constexpr int kGuide = 8019;
constexpr int kAnimation = 8020;
constexpr int kConnecting = 8023;
constexpr int kProgress = 8024;
constexpr int kAnimationResource = 8102;

constexpr unsigned kWarning = MB_OK | MB_ICONEXCLAMATION;
// A port this user may not open: no group gives access (the udev rule does), the device's
// group would, or the user joined it after logging in; each takes the path and the group.
constexpr int kNoAccessText = 26020;
constexpr int kJoinGroupText = 26021;
constexpr int kLogInAgainText = 26022;
constexpr int kNoAccessCaption = 26023;
// Another PLC answered on the port between the status read and a step that writes.
constexpr int kAnotherPlcBeforeEntryText = 26011;
constexpr int kAnotherPlcBeforeEntryCaption = 26008;
// Another tool holds the PLC (%1: program, pid and user).
constexpr int kHeldText = 26012;
constexpr int kHeldCaption = 26013;

// Why the record of the update could not be written, in the user's language (26003 takes it
// and the path). The first id is the disk being full; the order is FileCause's.
constexpr int kFirstFileCauseText = 26040;

int FileCauseTextId(qx4t::FileCause cause) {
    return kFirstFileCauseText + static_cast<int>(cause);
}

// Clears the flag however ConnectPlc leaves, so a later tick can end the step.
class ConnectingScope {
public:
    explicit ConnectingScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ConnectingScope() { m_flag = false; }
    ConnectingScope(const ConnectingScope&) = delete;
    ConnectingScope& operator=(const ConnectingScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace

CConnectDlg::CConnectDlg(QWidget* pParent) : Dialog(IDD, pParent) {}

CWizardFrame* CConnectDlg::Frame() const {
    return FrameOf(*this);
}

void CConnectDlg::DoDataExchange(qx4t::ui::DataExchange& dx) {
    Dialog::DoDataExchange(dx);
    dx.control(kPortList, m_cbPort);
    dx.control(kRefresh, m_btnRefresh);
    dx.control(kFirstRadio, m_rdoFirst);
    dx.control(kSecondRadio, m_rdoSecond);
    dx.control(kAnimation, m_aniConnect);
    dx.control(kProgress, m_prgConnect);
    dx.control(kGuide, m_stGuide);
    dx.control(kConnecting, m_stConnecting);
    dx.radio(kFirstRadio, m_nSkipModeChk);
}

bool CConnectDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    RefreshPortList();
    if (m_btnRefresh != nullptr) {
        if (CWizardFrame* frame = Frame(); frame != nullptr && !frame->GetIconList().isEmpty()) {
            m_btnRefresh->setIcon(frame->GetIconList().front());
        }
        m_btnRefresh->setToolTip(qx4t::res::loadString(20002));
    }
    m_nSkipModeChk = 0;
    openAnimation(kAnimation, kAnimationResource);
    UpdateData(false);
    return true;
}

// Only the frame's page changes count: the window system's show and hide when the wizard is
// minimised and restored would otherwise give the port list and the frame's Next back in the
// middle of a connection.
void CConnectDlg::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    if (!event->spontaneous()) {
        OnShowWindow(true);
    }
}

void CConnectDlg::hideEvent(QHideEvent* event) {
    Dialog::hideEvent(event);
    if (!event->spontaneous()) {
        OnShowWindow(false);
    }
}

void CConnectDlg::OnShowWindow(bool bShow) {
    if (bShow) {
        enableItem(kPortList, true);
        RefreshPortList();
        playAnimation(kAnimation);
        focusItem(kPortList);
    } else {
        enableItem(kPortList, false);
        stopAnimation(kAnimation);
    }
}

void CConnectDlg::OnCommand(int id) {
    if (id == kRefresh) {
        OnBnClickedRefresh();
        return;
    }
    Dialog::OnCommand(id);
}

void CConnectDlg::OnBnClickedRefresh() {
    RefreshPortList();
}

void CConnectDlg::RefreshPortList() {
    if (m_cbPort == nullptr) {
        return;
    }
    const QString remembered =
        m_cbPort->count() > 0 ? m_cbPort->currentText() : qx4t::res::loadString(20001);
    m_cbPort->clear();
    GetComPortList(m_saPortName, m_saDeviceDesc);
    if (!m_saPortName.empty()) {
        for (std::size_t i = 0; i < m_saPortName.size(); ++i) {
            m_cbPort->addItem(QString::fromStdWString(m_saDeviceDesc[i]) + QStringLiteral(" (") +
                              QString::fromStdWString(m_saPortName[i]) + QStringLiteral(")"));
        }
    } else {
        m_cbPort->addItem(qx4t::res::loadString(20001));
    }
    int selected = 0;
    for (int i = 0; i < m_cbPort->count(); ++i) {
        if (m_cbPort->itemText(i) == remembered) {
            selected = i;
            break;
        }
    }
    m_cbPort->setCurrentIndex(selected);

    const bool found = !m_saPortName.empty();
    enableItem(kFirstRadio, found);
    enableItem(kSecondRadio, found);
    if (CWizardFrame* frame = Frame()) {
        *frame->GetPortPtr() = found ? m_saPortName[static_cast<std::size_t>(selected)] : L"";
        frame->SetEnableBtnNext(found ? 1 : 0);
    }
}

std::wstring CConnectDlg::GetSelectPortName() {
    UpdateData(true);
    const int index = m_cbPort != nullptr ? m_cbPort->currentIndex() : -1;
    if (index < 0 || static_cast<std::size_t>(index) >= m_saPortName.size()) {
        return {};
    }
    return m_saPortName[static_cast<std::size_t>(index)];
}

bool CConnectDlg::CheckPortSelect() {
    RefreshPortList();
    CWizardFrame* frame = Frame();
    if (frame == nullptr || frame->GetPortPtr()->empty()) {
        MessageBox(25001, 25002, kWarning);
        return false;
    }
    const auto plcs = std::count_if(
        m_saDeviceDesc.begin(), m_saDeviceDesc.end(),
        [](const std::wstring& description) { return IsPlcDescription(description); });
    if (plcs > 1) {
        MessageBox(25017, 25018, kWarning);
        return false;
    }
    return true;
}

void CConnectDlg::ShowConnectProgress(int nShow) {
    const bool progress = nShow == SW_SHOW;
    for (int id : {kAnimation, kFirstRadio, kSecondRadio, kGuide}) {
        showItem(id, !progress);
    }
    showItem(kConnecting, progress);
    showItem(kProgress, progress);
    SetProgressPos(0);
    UpdateData(false);
}

void CConnectDlg::ShowIdle() {
    ShowConnectProgress(SW_HIDE);
    m_nSkipModeChk = 0;
    UpdateData(false);
    for (int id : {kPortList, kRefresh, kFirstRadio, kSecondRadio}) {
        enableItem(id, true);
    }
}

bool CConnectDlg::SkipsModeCheck() {
    UpdateData(true);
    return m_nSkipModeChk != 0;
}

int CConnectDlg::ProgressPos() const {
    return m_prgConnect != nullptr ? m_prgConnect->value() : 0;
}

void CConnectDlg::SetProgressPos(int nPos) {
    if (m_prgConnect != nullptr) {
        m_prgConnect->setValue(std::clamp(nPos, m_prgConnect->minimum(), m_prgConnect->maximum()));
    }
}

int CConnectDlg::StopAndAsk(int textId, int captionId, unsigned style, const QStringList& args) {
    KillTimer(kProgressTimer);
    return MessageBox(textId, captionId, style, args);
}

bool CConnectDlg::AnotherPlcOnThePort(const std::wstring& port) {
    Frame()->GetComPortPtr()->ClosePort();
    StopAndAsk(kAnotherPlcBeforeEntryText, kAnotherPlcBeforeEntryCaption, kWarning,
               {QString::fromStdWString(port)});
    return false;
}

bool CConnectDlg::Fail(int textId, int captionId) {
    Frame()->GetComPortPtr()->ClosePort();
    StopAndAsk(textId, captionId, kWarning);
    return false;
}

int CConnectDlg::PermissionDeniedText(const qx4t::serial::DeviceAccess& access) {
    if (!access.groupWouldHelp) {
        return kNoAccessText;
    }
    return access.memberNotInSession ? kLogInAgainText : kJoinGroupText;
}

void CConnectDlg::ShowPermissionDenied(const std::wstring& devicePath) {
    const qx4t::serial::DeviceAccess access =
        qx4t::serial::deviceAccess(qx4t::wideToUtf8(devicePath));
    MessageBox(PermissionDeniedText(access), kNoAccessCaption, kWarning,
               {QString::fromStdWString(devicePath), QString::fromStdString(access.group)});
}

void CConnectDlg::EndStep(unsigned long wParam) {
    if (CWizardFrame* frame = Frame()) {
        frame->SendMessage(CWizardFrame::WM_MODECHG_END, wParam, 0);
    }
}

bool CConnectDlg::ConnectPlc() {
    CWizardFrame* frame = Frame();
    if (frame == nullptr) {
        return false;
    }
    CComManager* link = frame->GetComPortPtr();
    const std::wstring port = *frame->GetPortPtr();

    const int opened = link->OpenPort(port);
    if (opened == qx4t::link::kPortBusy) {
        MessageBox(25022, 25002, kWarning);
        return false;
    }
    if (opened != qx4t::link::kOk) {
        if (link->LastOpenResult().status == qx4t::serial::OpenStatus::PermissionDenied) {
            ShowPermissionDenied(link->m_strPort);
        } else {
            MessageBox(25001, 25002, kWarning);
        }
        return false;
    }
    // The PLC this version-up is about, known by the device actually opened and followed by
    // the version-up page across renames.
    const qx4t::PlcIdentity plc = IdentifyOpenPlc(*link, port);
    *frame->GetPlcIdentityPtr() = plc;
    // Held until the verdict once the PLC goes into its update mode; otherwise let go again
    // when this attempt ends, so that the page idle does not keep other tools out.
    qx4t::PlcHold& hold = *frame->GetPlcHoldPtr();
    if (hold.acquire(qx4t::defaultPlcHoldFolder(), plc.key, "qx4t-vuptool") ==
        qx4t::PlcHold::Status::Busy) {
        link->ClosePort();
        MessageBox(kHeldText, kHeldCaption, kWarning, {QString::fromStdString(hold.holder())});
        return false;
    }
    struct ReleaseUnlessKept {
        qx4t::PlcHold& hold;
        bool keep = false;
        ~ReleaseUnlessKept() {
            if (!keep) {
                hold.release();
            }
        }
    } held{hold};
    const std::string& pendingKey = plc.key;
    // A note under any key the PLC has counts, those of earlier releases included (their
    // names of the port among them); a note that cannot be read cannot rule one out.
    const qx4t::PendingUpdates pending;
    const auto marks = pending.marks();
    auto noteKeys = qx4t::NoteKeys(plc);
    if (marks) {
        const auto aliases = qx4t::ports::aliasNoteKeys(plc, *marks, [](const std::string& name) {
            return qx4t::ports::deviceNodeOf(qx4t::wideToUtf8(qx4t::serial::devicePrefix()) + name);
        });
        noteKeys.insert(noteKeys.end(), aliases.begin(), aliases.end());
    }
    const auto standing = pending.standing(noteKeys);
    for (const auto& warning : standing.warnings) {
        qx4t::frame::NoteInRunLog("warning: " + warning);
    }
    const bool unverifiedBefore = !marks || standing.any;

    // From the first exchange on, the link pumps events: nothing the user can reach may
    // start another step while this one talks to the PLC.
    for (int id : {kPortList, kRefresh, kFirstRadio, kSecondRadio}) {
        enableItem(id, false);
    }
    frame->SetEnableBtnBack(0);
    frame->SetEnableBtnNext(0);
    frame->SetEnableBtnCancel(0);

    ShowConnectProgress(SW_SHOW);
    SetTimer(kProgressTimer, kProgressPeriod);
    update();

    const ConnectingScope connecting(m_bConnecting);
    stPlcStatus* status = frame->GetPlcStatusPtr();
    const int read = link->ReadPlcStatus(status);
    if (read == qx4t::link::kUpdateMode) {
        // Already in the update mode: the version-up page sends the image over this open port.
        // Until a verified restart, no later run may take this PLC for untouched. A note that
        // cannot be written does not stop the recovery: the PLC needs its image either way.
        (void)qx4t::PendingUpdates().mark(pendingKey, qx4t::wideToUtf8(port));
        SetProgressPos(100);
        held.keep = true;
        return true;
    }
    if (read == qx4t::link::kQuit) {
        // The wizard is ending on request; nothing to tell.
        link->ClosePort();
        KillTimer(kProgressTimer);
        return false;
    }
    if (read == qx4t::link::kUnsupportedModel) {
        return Fail(25003, 25004);
    }
    if (read != qx4t::link::kOk) {
        // An earlier update of this PLC was never verified: it may be waiting for an image.
        return unverifiedBefore ? Fail(26005, 26006) : Fail(25007, 25008);
    }
    link->ClosePort();

    const std::wstring target = frame->GetTargetFWVer();
    switch (qx4t::CheckPlcVersion(status->strVersion, target)) {
        case qx4t::VersionCheck::Newer:
            StopAndAsk(25005, 25006, MB_OK | MB_ICONINFORMATION);
            EndStep(0);
            return true;
        case qx4t::VersionCheck::TooOld:
            StopAndAsk(25003, 25004, kWarning);
            EndStep(0);
            return true;
        case qx4t::VersionCheck::Ok:
            break;
    }

    const QStringList args = {QString::fromStdWString(frame->GetPLCSeriesName()),
                              QString::fromStdWString(qx4t::PlcVersionDisplay(status->strVersion)),
                              QString::fromStdWString(qx4t::TargetVersionDisplay(target))};
    if (StopAndAsk(20018, 20003, MB_OKCANCEL | MB_ICONINFORMATION, args) != IDOK) {
        return false;
    }
    // The bar goes on from where it stood.
    SetTimer(kProgressTimer, kProgressPeriod);

    switch (qx4t::CheckPlcMode(status->strMode)) {
        case qx4t::ModeCheck::NotUpdatable:
            StopAndAsk(25009, 25010, kWarning);
            return false;
        case qx4t::ModeCheck::NeedsModeChange: {
            if (StopAndAsk(20013, 20003, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
                return false;
            }
            SetTimer(kProgressTimer, kProgressPeriod);
            if (link->OpenPort(port) != qx4t::link::kOk) {
                return Fail(25007, 25008);
            }
            if (!IsThePlc(*link, plc, port)) {
                return AnotherPlcOnThePort(port);
            }
            const int changed = link->ChangeMode();
            link->ClosePort();
            if (changed != qx4t::link::kOk) {
                return Fail(25007, 25008);
            }
            break;
        }
        case qx4t::ModeCheck::Ok:
            break;
    }

    // Before the PLC hears of its update mode: the image it will need is the one built.
    if (!ImageAsBuilt(*frame, status->strModel)) {
        return Fail(26001, 26002);
    }
    const bool reopened = link->OpenPort(port) == qx4t::link::kOk;
    if (!reopened || !IsThePlc(*link, plc, port)) {
        // Nothing reached the PLC and nothing was noted: a note an earlier run left stands.
        return reopened ? AnotherPlcOnThePort(port) : Fail(25007, 25008);
    }
    // Noted once the port is the wizard's and before the PLC hears of it, so that no later run
    // takes the PLC for untouched.
    if (const auto noted = qx4t::PendingUpdates().mark(pendingKey, qx4t::wideToUtf8(port));
        !noted.ok) {
        link->ClosePort();
        // The user reads the cause in the wizard's language; the OS's words go to the log.
        qx4t::frame::NoteInRunLog("cannot note the update: " + noted.error);
        StopAndAsk(26003, 26004, kWarning,
                   {qx4t::ui::formatString(FileCauseTextId(noted.cause)),
                    QString::fromStdString(noted.path)});
        return false;
    } else if (!noted.notice.empty()) {
        qx4t::frame::NoteInRunLog(noted.notice);
    }
    const int entered = link->StartFWUpdate(target);
    link->ClosePort();
    // From the entry on the PLC may wait for its image: held whatever the outcome.
    held.keep = true;
    if (entered != qx4t::link::kOk) {
        return Fail(25007, 25008);
    }
    return true;
}

void CConnectDlg::OnTimer(int id) {
    const int position = ProgressPos();
    if (id == kProgressTimer) {
        if (position >= 100) {
            // The step ends only once ConnectPlc has returned TRUE; until then a full bar waits.
            if (m_bConnecting) {
                return;
            }
            KillTimer(kProgressTimer);
            EndStep(1);
        } else {
            SetProgressPos(position + 10);
        }
    }
    Dialog::OnTimer(id);
}
