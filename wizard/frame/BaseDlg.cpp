#include "wizard/frame/BaseDlg.h"

#include "platform/text/Utf8.h"

#include <QLayout>
#include <QPushButton>

#include <array>
#include <string_view>

#include "common/Languages.h"
#include "common/VersionRules.h"
#include "link/PortList.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Timers.h"
#include "wizard/frame/ButtonTable.h"
#include "wizard/frame/FrameControls.h"
#include "wizard/frame/ProgramFolder.h"
#include "wizard/frame/RunLogging.h"
#include "wizard/pages/ConnectDlg.h"
#include "wizard/pages/DisclaimerDlg.h"
#include "wizard/pages/FinishDlg.h"
#include "wizard/pages/ModeChkDlg.h"
#include "wizard/pages/PreSetupDlg.h"
#include "wizard/pages/VerupDlg.h"

using namespace qx4t::frame;

namespace {

// The load failure texts are fixed English: no language library is there to say them.
QString languageLoadFailure(int language) {
    const qx4t::LanguageRow* row = qx4t::FindLanguage(language);
    const std::string_view text =
        row != nullptr ? row->loadFailure : qx4t::kUnknownLanguageLoadFailure;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

struct CBaseDlg::Pages {
    CDisclaimerDlg m_DisclaimerDlg;
    CPreSetupDlg m_PreSetupDlg;
    CConnectDlg m_ConnectDlg;
    CModeChkDlg m_ModeChkDlg;
    CVerupDlg m_VerupDlg;
    CFinishDlg m_FinishDlg;

    [[nodiscard]] std::array<qx4t::ui::Dialog*, 6> all() {
        return {&m_DisclaimerDlg, &m_PreSetupDlg, &m_ConnectDlg,
                &m_ModeChkDlg,    &m_VerupDlg,    &m_FinishDlg};
    }
};

CBaseDlg::CBaseDlg(int nLanguage, QWidget* pParent)
    : Dialog(IDD, pParent),
      m_brCurrentStep(166, 202, 240),
      m_brFinishStep(255, 174, 201),
      m_pPages(std::make_unique<Pages>()),
      m_nLanguage(nLanguage) {
    qx4t::frame::BeginRunLog();
    // While the link waits for the PLC, the wizard's timers fire and its windows paint.
    CComManager::SetEventPump([] { return qx4t::ui::pumpOnce(); });
    // And between two pumps the window answers too: a screen reader asks question after
    // question, each only when the last is answered.
    CComManager::SetPortWait(qx4t::ui::waitForPort);

    const std::string_view library = qx4t::languageLibraryName(nLanguage);
    const qx4t::res::ModuleHandle language =
        library.empty()
            ? nullptr
            : qx4t::res::loadLibrary(qx4t::frame::programFolder() + std::string(library));
    // A library that loads but holds no layouts (a damaged or foreign file under the right
    // name) is as unreadable as a missing one: without the frame's layout no window opens.
    if (language == nullptr || qx4t::res::templatePath(language, IDD).isEmpty()) {
        qx4t::ui::appMessageBox(languageLoadFailure(nLanguage));
    }

    InitFlag();

    LoadStepPictures();
}

CBaseDlg::~CBaseDlg() {
    // The page the wizard closed on says how far the run came; the messages before it in the
    // log say why it ended there.
    const char* name = "";
    switch (m_nCurrentPage) {
        case CDisclaimerDlg::IDD:
            name = "disclaimer";
            break;
        case CPreSetupDlg::IDD:
            name = "preparation";
            break;
        case CConnectDlg::IDD:
            name = "connect";
            break;
        case CModeChkDlg::IDD:
            name = "mode check";
            break;
        case CVerupDlg::IDD:
            name = "version-up";
            break;
        case CFinishDlg::IDD:
            name = "finish";
            break;
        default:
            break;
    }
    qx4t::frame::EndRunLog("the wizard closed on page " + std::to_string(m_nCurrentPage) + " (" +
                           name + ")");
}

void CBaseDlg::InitFlag() {
    m_nCurrentPage = m_bShowDisclaimer ? CDisclaimerDlg::IDD : CPreSetupDlg::IDD;
    m_ComManager = CComManager();
    m_PlcStatus.strModel = L"";
    m_PlcStatus.strVersion = L"****";
    m_PlcStatus.strMode = L"";
    m_strVerInfo.clear();
    m_strPort.clear();
    m_PlcIdentity = {};
    m_PlcHold.release();
}

void CBaseDlg::DoDataExchange(qx4t::ui::DataExchange& dx) {
    Dialog::DoDataExchange(dx);
    dx.control(kNext, m_btnNext);
    dx.control(kBack, m_btnBack);
    dx.control(kTop, m_btnTop);
    dx.control(IDCANCEL, m_btnCancel);
    dx.control(IDOK, m_btnOK);
}

bool CBaseDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    WatchDecorations();

    if (!LoadFirmwareImages()) {
        EndDialog(IDCANCEL);
        return true;
    }
    DispTopDlg();
    return true;
}

std::wstring CBaseDlg::GetPLCSeriesName() const {
    return std::wstring(qx4t::SeriesName(m_PlcStatus.strModel));
}

std::wstring CBaseDlg::GetTargetFWVer() const {
    return qx4t::res::loadString(8109).toStdWString();
}

qx4t::ui::Dialog* CBaseDlg::PageOf(int nPage) {
    for (qx4t::ui::Dialog* page : m_pPages->all()) {
        if (page->templateId() == nPage) {
            return page;
        }
    }
    return nullptr;
}

void CBaseDlg::CreateChildDlg() {
    for (qx4t::ui::Dialog* page : m_pPages->all()) {
        if (!page->Create(page->templateId(), this)) {
            qx4t::ui::appMessageBox(25000);
            EndDialog(IDCANCEL);
        }
    }

    // The page area starts 7 pixels right of the first step label, at its top. The window is
    // not shown yet, so its layouts are settled now to give the label its place.
    if (layout() != nullptr) {
        layout()->activate();
    }
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->layout() != nullptr && qobject_cast<qx4t::ui::Dialog*>(w) == nullptr) {
            w->layout()->activate();
        }
    }
    QPoint origin;
    if (QWidget* anchor = item(kFirstStepLabel)) {
        origin = anchor->mapTo(this, QPoint(anchor->width() + 7, 0));
    }

    // The disclaimer keeps its template's place.
    for (qx4t::ui::Dialog* page : m_pPages->all()) {
        if (page != &m_pPages->m_DisclaimerDlg) {
            page->move(origin);
        }
        page->hide();
    }
}

void CBaseDlg::ApplyPageButtons(int nPage) {
    const qx4t::frame::ButtonRow* row = qx4t::frame::findButtonRow(nPage);
    if (row == nullptr) {
        return;
    }
    const struct {
        int id;
        int show;
        int enable;
    } buttons[] = {{kBack, row->backShow, row->backEnable},
                   {kNext, row->nextShow, row->nextEnable},
                   {kTop, row->topShow, row->topEnable},
                   {IDCANCEL, row->cancelShow, row->cancelEnable},
                   {IDOK, row->okShow, row->okEnable}};
    for (const auto& b : buttons) {
        showItem(b.id, b.show == SW_SHOW);
        enableItem(b.id, b.enable != 0);
    }
    setCloseEnabled(row->cancelEnable != 0);
}

void CBaseDlg::DispTopDlg() {
    for (qx4t::ui::Dialog* page : m_pPages->all()) {
        if (page->IsWindow()) {
            page->DestroyWindow();
        }
    }
    CreateChildDlg();

    const int target = m_bShowDisclaimer ? CDisclaimerDlg::IDD : CPreSetupDlg::IDD;
    ApplyPageButtons(target);
    if (m_bShowDisclaimer) {
        ShowProgressMenu(SW_HIDE);
        m_pPages->m_DisclaimerDlg.show();
        setDefaultButton(kNext);
        m_nCurrentPage = CDisclaimerDlg::IDD;
        m_bShowDisclaimer = 0;
    } else {
        m_pPages->m_PreSetupDlg.show();
        setDefaultButton(kNext);
        m_nCurrentPage = CPreSetupDlg::IDD;
    }
    OnPaint();
}

void CBaseDlg::DispNextDlg() {
    int target = 0;
    switch (m_nCurrentPage) {
        case CDisclaimerDlg::IDD:
            target = CPreSetupDlg::IDD;
            break;
        case CPreSetupDlg::IDD:
            target = CConnectDlg::IDD;
            break;
        case CConnectDlg::IDD:
            target = m_pPages->m_ConnectDlg.SkipsModeCheck() ? CVerupDlg::IDD : CModeChkDlg::IDD;
            break;
        case CModeChkDlg::IDD:
            target = CVerupDlg::IDD;
            break;
        case CVerupDlg::IDD:
            target = CFinishDlg::IDD;
            break;
        default:
            return;
    }
    if (qx4t::ui::Dialog* current = PageOf(m_nCurrentPage)) {
        current->hide();
    }
    ApplyPageButtons(target);
    PageOf(target)->show();
    if (target == CPreSetupDlg::IDD) {
        focusItem(IDCANCEL);
    } else if (target == CVerupDlg::IDD) {
        focusItem(kNext);
    } else if (target == CFinishDlg::IDD) {
        setDefaultButton(IDOK);
        focusItem(IDOK);
    }
    m_nCurrentPage = target;
    OnPaint();
}

void CBaseDlg::DispPrevDlg() {
    int target = CPreSetupDlg::IDD;
    switch (m_nCurrentPage) {
        case CPreSetupDlg::IDD:
            target = CPreSetupDlg::IDD;
            break;
        case CConnectDlg::IDD:
            target = CPreSetupDlg::IDD;
            break;
        case CModeChkDlg::IDD:
            target = CConnectDlg::IDD;
            break;
        case CVerupDlg::IDD:
            target = CModeChkDlg::IDD;
            break;
        default:
            target = 0;  // from any other page: the preparation page, nothing hidden
            break;
    }
    if (target != 0) {
        PageOf(m_nCurrentPage)->hide();
    } else {
        target = CPreSetupDlg::IDD;
    }
    ApplyPageButtons(target);
    PageOf(target)->show();
    if (target == CPreSetupDlg::IDD) {
        focusItem(IDCANCEL);
    }
    m_nCurrentPage = target;
    OnPaint();
}

void CBaseDlg::SetEnableBtnNext(int bEnable) {
    enableItem(kNext, bEnable != 0);
}

void CBaseDlg::SetEnableBtnBack(int bEnable) {
    enableItem(kBack, bEnable != 0);
}

void CBaseDlg::SetEnableBtnCancel(int bEnable) {
    enableItem(IDCANCEL, bEnable != 0);
    setCloseEnabled(bEnable != 0);
}

void CBaseDlg::OnBnClickedNext() {
    switch (m_nCurrentPage) {
        case CDisclaimerDlg::IDD:
            ShowProgressMenu(SW_SHOW);
            DispNextDlg();
            break;
        case CPreSetupDlg::IDD:
            m_pPages->m_PreSetupDlg.ClearReadyBox();
            DispNextDlg();
            break;
        case CConnectDlg::IDD:
            NextOnConnect();
            break;
        case CModeChkDlg::IDD:
            DispNextDlg();
            break;
        case CVerupDlg::IDD:
            NextOnVerup();
            break;
        default:
            break;
    }
}

void CBaseDlg::NextOnConnect() {
    m_strPort = m_PageCalls.getSelectPortName ? m_PageCalls.getSelectPortName()
                                              : m_pPages->m_ConnectDlg.GetSelectPortName();
    const bool portOk = m_PageCalls.checkPortSelect ? m_PageCalls.checkPortSelect()
                                                    : m_pPages->m_ConnectDlg.CheckPortSelect();
    if (!portOk) {
        return;
    }
    const bool takenOver =
        m_PageCalls.connectPlc ? m_PageCalls.connectPlc() : m_pPages->m_ConnectDlg.ConnectPlc();
    if (takenOver) {
        return;
    }
    // The page messages reach this frame synchronously, and the link pumps the page's timer,
    // so the step can end while the procedure is still on the stack. The connect page reports
    // the end only on its way to answering true, but the frame does not rest on that timing: a
    // failure answered after the step has moved on (or after the wizard was told to end) must
    // not bring the connect page's buttons back over another page.
    if (m_nCurrentPage != CConnectDlg::IDD) {
        return;
    }
    m_pPages->m_ConnectDlg.ShowIdle();
    SetEnableBtnBack(1);
    SetEnableBtnNext(1);
    SetEnableBtnCancel(1);
    focusItem(kNext);
}

void CBaseDlg::NextOnVerup() {
    // The PLC may have come back under another name after the update-mode entry: it is
    // followed by its identity, never replaced by another PLC. Not listed, the connect page's
    // choice stands; another PLC on that name is told and never written to.
    const auto where = LocatePlcPort(m_PlcIdentity, m_strPort);
    if (where.kind == qx4t::ports::PlcWhereabouts::Kind::OtherOnName) {
        MessageBox(26007, 26008, MB_OK | MB_ICONEXCLAMATION, {QString::fromStdString(where.port)});
        return;
    }
    m_strPort = qx4t::utf8ToWide(where.port);
    if (m_PageCalls.startVersionUp) {
        (void)m_PageCalls.startVersionUp();
    } else {
        (void)m_pPages->m_VerupDlg.StartVersionUp();
    }
}

void CBaseDlg::OnBnClickedBack() {
    DispPrevDlg();
}

void CBaseDlg::OnBnClickedTop() {
    InitFlag();
    DispTopDlg();
}

void CBaseDlg::OnBnClickedCancel() {
    if (m_nCurrentPage == CModeChkDlg::IDD || m_nCurrentPage == CVerupDlg::IDD) {
        MessageBox(25013, 25014, MB_OK | MB_ICONEXCLAMATION);
    }
    EndDialog(IDCANCEL);
}

void CBaseDlg::OnQuit() {
    // On the mode check page, and on the version-up page until the transfer starts, the PLC
    // may be in its update mode: the warning goes out as for Cancel, and with the process
    // quitting the layer writes it to the standard error instead of waiting for a click.
    if (closeEnabled()) {
        OnBnClickedCancel();
        return;
    }
    Dialog::OnQuit();
}

long CBaseDlg::OnModeChgEnd(unsigned long wParam, long) {
    if (wParam != 0) {
        DispNextDlg();
    } else {
        EndDialog(IDCANCEL);
    }
    return 1;
}

long CBaseDlg::OnVersionUpEnd(unsigned long wParam, long lParam) {
    return OnModeChgEnd(wParam, lParam);
}

void CBaseDlg::OnCommand(int id) {
    switch (id) {
        case kNext:
            OnBnClickedNext();
            break;
        case kBack:
            OnBnClickedBack();
            break;
        case kTop:
            OnBnClickedTop();
            break;
        case IDCANCEL:
            OnBnClickedCancel();
            break;
        default:
            Dialog::OnCommand(id);
            break;
    }
}

long CBaseDlg::OnMessage(unsigned message, unsigned long wParam, long lParam) {
    switch (message) {
        case WM_MODECHG_END:
            return OnModeChgEnd(wParam, lParam);
        case WM_VERSIONUP_END:
            return OnVersionUpEnd(wParam, lParam);
        default:
            return Dialog::OnMessage(message, wParam, lParam);
    }
}
