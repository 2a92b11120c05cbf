#pragma once
// The wizard frame: the one class the wizard library exports. A modal dialog (template 8500)
// with the step list on the left, the row of buttons, and the area where one of the six pages
// is shown. It owns what the pages share (the link, the PLC status, the port name, the
// firmware images); pages reach it as their parent dialog through CWizardFrame, and the frame
// asks a page for what it wants of it rather than touching the page's controls.
#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "link/ComManager.h"
#include "platform/res/Resources.h"
#include "platform/ui/Dialog.h"
#include "wizard/frame/WizardFrame.h"

class QPushButton;

#define QX4T_WIZARD_EXPORT __attribute__((visibility("default")))

class QX4T_WIZARD_EXPORT CBaseDlg : public qx4t::ui::Dialog, public CWizardFrame {
public:
    static constexpr int IDD = 8500;

    // Loads the language library of the index from the program folder (a failure is told in
    // the application's message box and the frame goes on) and resets the shared state.
    explicit CBaseDlg(int nLanguage, QWidget* pParent = nullptr);
    ~CBaseDlg() override;

    bool OnInitDialog() override;

    // Shared state, reached by the pages.
    [[nodiscard]] int GetLanguage() const override { return m_nLanguage; }
    [[nodiscard]] CComManager* GetComPortPtr() override { return &m_ComManager; }
    [[nodiscard]] stPlcStatus* GetPlcStatusPtr() override { return &m_PlcStatus; }
    [[nodiscard]] std::wstring* GetVerInfoPtr() override { return &m_strVerInfo; }
    [[nodiscard]] std::wstring* GetPortPtr() override { return &m_strPort; }
    [[nodiscard]] qx4t::PlcIdentity* GetPlcIdentityPtr() override { return &m_PlcIdentity; }
    [[nodiscard]] qx4t::PlcHold* GetPlcHoldPtr() override { return &m_PlcHold; }
    [[nodiscard]] const void* GetFWUpdateDataPtr() const override { return m_pFWUpdateData; }
    [[nodiscard]] unsigned long GetFWUpdateDataSize() const override {
        return m_dwFWUpdateDataSize;
    }
    [[nodiscard]] const void* GetEthernetFWUpdateDataPtr() const override {
        return m_pEthernetFWUpdateData;
    }
    [[nodiscard]] unsigned long GetEthernetWUpdateDataSize() const override {
        return m_dwEthernetFWUpdateDataSize;
    }
    [[nodiscard]] int GetCurrentPage() const { return m_nCurrentPage; }

    [[nodiscard]] std::wstring GetPLCSeriesName() const override;
    [[nodiscard]] std::wstring GetTargetFWVer() const override;
    // The value with its four bytes in reverse order.
    [[nodiscard]] static std::uint32_t Convert(std::uint32_t value);

    // The step list's colours and pictures: the current step, the finish step and the others;
    // the pictures of bitmap 8105 (one per 16 pixels of width, white transparent) and icon
    // 8103 as image 0 of the icon list (the connect page's refresh button).
    [[nodiscard]] QColor GetCurrentStepColor() const { return m_brCurrentStep; }
    [[nodiscard]] QColor GetFinishStepColor() const { return m_brFinishStep; }
    [[nodiscard]] QColor GetNormalStepColor() const { return m_brNormalStep; }
    [[nodiscard]] const QList<QPixmap>& GetStepImageList() const { return m_StepImageList; }
    [[nodiscard]] const QList<QIcon>& GetIconList() const override { return m_IconList; }

    void SetEnableBtnNext(int bEnable) override;
    void SetEnableBtnBack(int bEnable) override;
    void SetEnableBtnCancel(int bEnable) override;
    long SendMessage(unsigned message, unsigned long wParam, long lParam) override {
        return Dialog::SendMessage(message, wParam, lParam);
    }

    void OnBnClickedNext();
    void OnBnClickedBack();
    void OnBnClickedTop();
    void OnBnClickedCancel();
    // WPARAM 1: the next page; 0: the wizard ends with IDCANCEL. Always 1.
    long OnModeChgEnd(unsigned long wParam, long lParam);
    long OnVersionUpEnd(unsigned long wParam, long lParam);

    // The colour a step list control is painted with, or an invalid colour for the dialog's
    // own (controls outside 8000..8009; markers 8000..8004 are transparent).
    [[nodiscard]] QColor OnCtlColor(int nCtlId) const;
    // Repaints the step list: the labels' colours for the current page and the decorations.
    void OnPaint();

    // The frame's calls into the connect and version-up pages whose answers come from the
    // PLC. An empty member calls the page itself; tests answer with doubles.
    struct PageCalls {
        std::function<std::wstring()> getSelectPortName;
        std::function<bool()> checkPortSelect;
        std::function<bool()> connectPlc;
        std::function<bool()> startVersionUp;
    };
    void SetPageCalls(PageCalls calls) { m_PageCalls = std::move(calls); }

protected:
    void DoDataExchange(qx4t::ui::DataExchange& dx) override;
    void OnCommand(int id) override;
    long OnMessage(unsigned message, unsigned long wParam, long lParam) override;
    // A quit (SIGTERM, SIGINT) is Cancel with nobody to click: the warning where Cancel gives
    // it, then the end. A page in the middle of a step (Cancel greyed) ends it as it fails.
    void OnQuit() override;
    // Draws the decorations 8029..8032, which the template leaves empty.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend struct CBaseDlgTestAccess;  // the frame's tests reach the private steps

    void InitFlag();
    // The firmware images of the wizard library, each checked for its size; false when one is
    // missing or wrong (the message shown).
    [[nodiscard]] bool LoadFirmwareImages();
    // The step list's pictures and the icon list, from the language library.
    void LoadStepPictures();
    void WatchDecorations();
    void CreateChildDlg();
    void DispTopDlg();
    void DispNextDlg();
    void DispPrevDlg();
    void ShowProgressMenu(int nCmdShow);
    void ApplyPageButtons(int nPage);
    // The Next handling of the connect page and of the version-up page.
    void NextOnConnect();
    void NextOnVerup();
    qx4t::ui::Dialog* PageOf(int nPage);
    [[nodiscard]] const void* LoadResData(qx4t::res::ModuleHandle hModule, unsigned short nId,
                                          unsigned long* pSize);
    [[nodiscard]] const void* LoadFWUpdateData(qx4t::res::ModuleHandle hModule, unsigned short nId,
                                               unsigned long* pSize);

    QIcon m_hIcon;
    QList<QIcon> m_IconList;
    QPushButton* m_btnNext = nullptr;
    QPushButton* m_btnBack = nullptr;
    QPushButton* m_btnTop = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnOK = nullptr;
    QColor m_brCurrentStep;
    QColor m_brFinishStep;
    QColor m_brNormalStep;
    QList<QPixmap> m_StepImageList;
    // The six pages, in the order of the wizard; defined where the frame uses them.
    struct Pages;
    std::unique_ptr<Pages> m_pPages;
    int m_nCurrentPage = 8507;
    int m_nLanguage;
    CComManager m_ComManager;
    stPlcStatus m_PlcStatus;
    std::wstring m_strVerInfo;
    std::wstring m_strPort;
    qx4t::PlcIdentity m_PlcIdentity;
    qx4t::PlcHold m_PlcHold;
    const void* m_pFWUpdateData = nullptr;
    unsigned long m_dwFWUpdateDataSize = 0;
    const void* m_pEthernetFWUpdateData = nullptr;
    unsigned long m_dwEthernetFWUpdateDataSize = 0;
    int m_bShowDisclaimer = 1;
    PageCalls m_PageCalls;
};
