#include "wizard/frame/BaseDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

#include <array>
#include <string_view>

#include "common/ModelTable.h"
#include "link/PortList.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Timers.h"
#include "wizard/frame/ButtonTable.h"
#include "wizard/frame/ProgramFolder.h"

namespace {

constexpr int kNext = 8011;
constexpr int kBack = 8010;
constexpr int kTop = 8012;
constexpr int kFirstStepLabel = 8005;
constexpr int kFirstDecoration = 8029;
constexpr int kLastDecoration = 8032;
// The connect page's controls that the frame gives back after a failed attempt: the port
// list, the refresh button and the two radios.
constexpr int kConnectControls[] = {8015, 8016, 8017, 8018};

// The wizard library looks itself up under this name in the program folder.
constexpr const char* kWizardLibrary = "Qx4t_V0180.so";

// The load failure texts are fixed English: no language library is there to say them.
constexpr std::array<std::string_view, qx4t::kLanguageCount> kLanguageTags = {
    "Enu", "Jpn", "Chs", "Cht", "Kor", "Esp", "Ita", "Deu", "Fra", "Thi"};

QString languageLoadFailure(int language) {
    if (language < 0 || language >= qx4t::kLanguageCount) {
        return QStringLiteral("QX4T_Vup Language Resource file cannot be read.");
    }
    return QStringLiteral("QX4T_Vup%1 Resource file cannot be read.")
        .arg(QLatin1String(kLanguageTags[static_cast<std::size_t>(language)].data(), 3));
}

}  // namespace

CBaseDlg::CBaseDlg(int nLanguage, QWidget* pParent)
    : Dialog(IDD, pParent),
      m_brCurrentStep(166, 202, 240),
      m_brFinishStep(255, 174, 201),
      m_nLanguage(nLanguage) {
    // While the link waits for the PLC, the wizard's timers fire and its windows paint.
    CComManager::SetEventPump([] { return qx4t::ui::pumpOnce(); });

    const std::string_view library = qx4t::languageLibraryName(nLanguage);
    if (library.empty() ||
        qx4t::res::loadLibrary(qx4t::frame::programFolder() + std::string(library)) == nullptr) {
        qx4t::ui::appMessageBox(languageLoadFailure(nLanguage));
    }

    InitFlag();

    m_brNormalStep = QApplication::palette().color(QPalette::Button);

    // Bitmap 8105 holds one 16 x 16 picture per 16 pixels of width; white is transparent.
    const QPixmap strip = qx4t::res::loadBitmap(8105);
    for (int x = 0; x + 16 <= strip.width(); x += 16) {
        QPixmap image = strip.copy(x, 0, 16, std::min(16, strip.height()));
        image.setMask(image.createMaskFromColor(Qt::white, Qt::MaskInColor));
        m_StepImageList.append(image);
    }

    m_hIcon = qx4t::res::loadIcon(8103);
    if (!m_hIcon.isNull()) {
        m_IconList.append(m_hIcon);
    }
}

CBaseDlg::~CBaseDlg() = default;

void CBaseDlg::InitFlag() {
    m_nCurrentPage = m_bShowDisclaimer ? CDisclaimerDlg::IDD : CPreSetupDlg::IDD;
    m_ComManager = CComManager();
    m_PlcStatus.strModel = L"";
    m_PlcStatus.strVersion = L"****";
    m_PlcStatus.strMode = L"";
    m_strVerInfo.clear();
    m_strPort.clear();
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
    for (int id = kFirstDecoration; id <= kLastDecoration; ++id) {
        if (QWidget* decoration = item(id)) {
            decoration->installEventFilter(this);
        }
    }

    const auto hModule = qx4t::res::loadLibrary(qx4t::frame::programFolder() + kWizardLibrary);
    if (hModule == nullptr) {
        qx4t::ui::appMessageBox(QStringLiteral("QX4T_Vup Resource file cannot be read."));
        EndDialog(IDCANCEL);
        return true;
    }

    unsigned long size = 0;
    m_pFWUpdateData = LoadFWUpdateData(hModule, qx4t::kImageIdPlain, &size);
    if (m_pFWUpdateData == nullptr) {
        EndDialog(IDCANCEL);
        return true;
    }
    m_dwFWUpdateDataSize = size;

    m_pEthernetFWUpdateData = LoadFWUpdateData(hModule, qx4t::kImageIdEthernet, &size);
    if (m_pEthernetFWUpdateData == nullptr) {
        EndDialog(IDCANCEL);
        return true;
    }
    m_dwEthernetFWUpdateDataSize = size;

    DispTopDlg();
    return true;
}

std::wstring CBaseDlg::GetPLCSeriesName() const {
    std::wstring name = L"***";
    for (const qx4t::ModelRow& row : qx4t::kModelTable) {
        if (row.code == m_PlcStatus.strModel) {
            name = row.series;
            break;
        }
    }
    return name;
}

std::wstring CBaseDlg::GetTargetFWVer() const {
    return qx4t::res::loadString(8109).toStdWString();
}

std::uint32_t CBaseDlg::Convert(std::uint32_t value) {
    return ((value & 0x000000FFu) << 24) | ((value & 0x0000FF00u) << 8) |
           ((value & 0x00FF0000u) >> 8) | ((value & 0xFF000000u) >> 24);
}

const void* CBaseDlg::LoadResData(qx4t::res::ModuleHandle hModule, unsigned short nId,
                                  unsigned long* pSize) {
    const qx4t::res::DataBlock* block = qx4t::res::findData(hModule, "DAT", nId);
    if (block == nullptr) {
        MessageBox(25015, 25014, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    *pSize = static_cast<unsigned long>(block->size);
    const void* data = qx4t::res::lockData(block);
    if (data == nullptr) {
        MessageBox(25016, 25014, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return data;
}

const void* CBaseDlg::LoadFWUpdateData(qx4t::res::ModuleHandle hModule, unsigned short nId,
                                       unsigned long* pSize) {
    const void* data = LoadResData(hModule, nId, pSize);
    if (data == nullptr) {
        return nullptr;
    }
    if (*pSize != qx4t::kFirmwareImageSize) {
        MessageBox(25021, 25014, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return data;
}

qx4t::ui::Dialog* CBaseDlg::PageOf(int nPage) {
    switch (nPage) {
        case CDisclaimerDlg::IDD:
            return &m_DisclaimerDlg;
        case CPreSetupDlg::IDD:
            return &m_PreSetupDlg;
        case CConnectDlg::IDD:
            return &m_ConnectDlg;
        case CModeChkDlg::IDD:
            return &m_ModeChkDlg;
        case CVerupDlg::IDD:
            return &m_VerupDlg;
        case CFinishDlg::IDD:
            return &m_FinishDlg;
        default:
            return nullptr;
    }
}

void CBaseDlg::CreateChildDlg() {
    qx4t::ui::Dialog* pages[] = {&m_DisclaimerDlg, &m_PreSetupDlg, &m_ConnectDlg,
                                 &m_ModeChkDlg,    &m_VerupDlg,    &m_FinishDlg};
    for (qx4t::ui::Dialog* page : pages) {
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

    m_DisclaimerDlg.hide();
    for (qx4t::ui::Dialog* page : {static_cast<qx4t::ui::Dialog*>(&m_PreSetupDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_ConnectDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_ModeChkDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_VerupDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_FinishDlg)}) {
        page->move(origin);
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
    for (qx4t::ui::Dialog* page : {static_cast<qx4t::ui::Dialog*>(&m_DisclaimerDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_PreSetupDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_ConnectDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_ModeChkDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_VerupDlg),
                                   static_cast<qx4t::ui::Dialog*>(&m_FinishDlg)}) {
        if (page->IsWindow()) {
            page->DestroyWindow();
        }
    }
    CreateChildDlg();

    const int target = m_bShowDisclaimer ? CDisclaimerDlg::IDD : CPreSetupDlg::IDD;
    ApplyPageButtons(target);
    if (m_bShowDisclaimer) {
        ShowProgressMenu(SW_HIDE);
        m_DisclaimerDlg.show();
        setDefaultButton(kNext);
        m_nCurrentPage = CDisclaimerDlg::IDD;
        m_bShowDisclaimer = 0;
    } else {
        m_PreSetupDlg.show();
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
            m_ConnectDlg.UpdateData(true);
            target = m_ConnectDlg.m_nSkipModeChk ? CVerupDlg::IDD : CModeChkDlg::IDD;
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

void CBaseDlg::ShowProgressMenu(int nCmdShow) {
    for (int i = 0; i < 5; ++i) {
        showItem(8000 + i, nCmdShow == SW_SHOW);
        showItem(8005 + i, nCmdShow == SW_SHOW);
    }
    for (int i = 0; i < 4; ++i) {
        showItem(8029 + i, nCmdShow == SW_SHOW);
    }
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
            if (QAbstractButton* box = m_PreSetupDlg.button(8041)) {
                box->setChecked(false);
            }
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
                                              : m_ConnectDlg.GetSelectPortName();
    const bool portOk = m_PageCalls.checkPortSelect ? m_PageCalls.checkPortSelect()
                                                    : m_ConnectDlg.CheckPortSelect();
    if (!portOk) {
        return;
    }
    const bool takenOver =
        m_PageCalls.connectPlc ? m_PageCalls.connectPlc() : m_ConnectDlg.ConnectPlc();
    if (takenOver) {
        return;
    }
    // A failed attempt that ends after the step has already moved on (or the wizard has been
    // told to end) must not bring the connect page's buttons back over another page.
    if (m_nCurrentPage != CConnectDlg::IDD) {
        return;
    }
    m_ConnectDlg.ShowConnectProgress(SW_HIDE);
    m_ConnectDlg.m_nSkipModeChk = 0;
    m_ConnectDlg.UpdateData(false);
    for (int id : kConnectControls) {
        m_ConnectDlg.enableItem(id, true);
    }
    SetEnableBtnBack(1);
    SetEnableBtnNext(1);
    SetEnableBtnCancel(1);
    focusItem(kNext);
}

void CBaseDlg::NextOnVerup() {
    // The PLC may have come back under another name after the update-mode entry; without a
    // PLC in the list the connect page's choice stands.
    std::vector<std::wstring> ports;
    std::vector<std::wstring> names;
    GetComPortList(ports, names);
    for (std::size_t i = 0; i < names.size() && i < ports.size(); ++i) {
        if (IsPlcDescription(names[i])) {
            m_strPort = ports[i];
            break;
        }
    }
    if (m_PageCalls.startVersionUp) {
        (void)m_PageCalls.startVersionUp();
    } else {
        (void)m_VerupDlg.StartVersionUp();
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

QColor CBaseDlg::OnCtlColor(int nCtlId) const {
    if (nCtlId < 8000 || nCtlId > 8009) {
        return {};
    }
    if (nCtlId < kFirstStepLabel) {
        return QColor(Qt::transparent);
    }
    const int page = CPreSetupDlg::IDD + (nCtlId - kFirstStepLabel);
    if (page != m_nCurrentPage) {
        return m_brNormalStep;
    }
    return nCtlId == 8009 ? m_brFinishStep : m_brCurrentStep;
}

void CBaseDlg::OnPaint() {
    for (int id = 8000; id <= 8009; ++id) {
        QWidget* w = item(id);
        if (w == nullptr) {
            continue;
        }
        const QColor colour = OnCtlColor(id);
        const bool fill = colour.isValid() && colour.alpha() != 0;
        w->setAutoFillBackground(fill);
        if (fill) {
            QPalette palette = w->palette();
            palette.setColor(w->backgroundRole(), colour);
            w->setPalette(palette);
        }
        w->update();
    }
    for (int id = kFirstDecoration; id <= kLastDecoration; ++id) {
        if (QWidget* w = item(id)) {
            w->update();
        }
    }
}

bool CBaseDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || m_StepImageList.isEmpty()) {
        return Dialog::eventFilter(watched, event);
    }
    auto* w = qobject_cast<QWidget*>(watched);
    bool decoration = false;
    for (int id = kFirstDecoration; id <= kLastDecoration && !decoration; ++id) {
        decoration = w != nullptr && item(id) == w;
    }
    if (!decoration) {
        return Dialog::eventFilter(watched, event);
    }
    // Centred, truncating toward zero as the control's size may be odd or below 16.
    QPainter painter(w);
    painter.drawPixmap((w->width() - 16) / 2, (w->height() - 16) / 2, m_StepImageList.front());
    return true;
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

CBaseDlg* FrameOf(const qx4t::ui::Dialog& page) {
    return dynamic_cast<CBaseDlg*>(page.parentDialog());
}

void NextFollowsBox(const qx4t::ui::Dialog& page, int boxId) {
    CBaseDlg* frame = FrameOf(page);
    const QCheckBox* box = page.checkBox(boxId);
    if (frame != nullptr && box != nullptr) {
        frame->SetEnableBtnNext(box->isChecked() ? 1 : 0);
    }
}
