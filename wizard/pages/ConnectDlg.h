#pragma once
// The connect page: port choice, the PLC checks and the update-mode entry.
#include <QComboBox>

#include <string>
#include <vector>

#include "platform/serial/PortAccess.h"
#include "platform/ui/Dialog.h"

class CWizardFrame;
class QAbstractButton;
class QLabel;
class QProgressBar;

class CConnectDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8502;
    static constexpr int kProgressTimer = 1;
    static constexpr std::chrono::milliseconds kProgressPeriod{500};

    explicit CConnectDlg(QWidget* pParent = nullptr);

    // The port of the list's current entry (and the radio choice into m_nSkipModeChk). Empty
    // when the selection is not one of the listed ports; the check that follows then refuses
    // it with its own message.
    [[nodiscard]] std::wstring GetSelectPortName();
    // False when a message was shown (no port chosen, more than one PLC attached).
    [[nodiscard]] bool CheckPortSelect();
    // True: the page has taken over (the step ends by itself, or the wizard has been told to
    // end). False: refused or failed, a message shown where one applies, the port closed and
    // the timer stopped; the frame puts the page back to its idle state.
    [[nodiscard]] bool ConnectPlc();
    // SW_SHOW: the progress view; anything else: the selection view. The bar goes back to 0.
    void ShowConnectProgress(int nShow);
    // After a failed attempt: the selection view with the port list, the refresh button and
    // the radios usable again, and the mode check page chosen.
    void ShowIdle();
    // The user's radio choice: true when the mode check page is to be skipped.
    [[nodiscard]] bool SkipsModeCheck();
    void RefreshPortList();

    // The message for a port this user may not open, chosen by what would give access: the
    // udev rule, joining the device's group, or logging in again after joining it.
    [[nodiscard]] static int PermissionDeniedText(const qx4t::serial::DeviceAccess& access);

    // Radios 8017 (0: go through the mode check page) and 8018 (1: skip it).
    int m_nSkipModeChk = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(qx4t::ui::DataExchange& dx) override;
    void OnCommand(int id) override;
    void OnTimer(int id) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnShowWindow(bool bShow);
    void OnBnClickedRefresh();
    [[nodiscard]] CWizardFrame* Frame() const;
    [[nodiscard]] int ProgressPos() const;
    void SetProgressPos(int nPos);
    // Stops the pseudo-progress, then shows the box; the answer.
    int StopAndAsk(int textId, int captionId, unsigned style, const QStringList& args = {});
    // The failure ending of the procedure after the port was opened: port closed, timer
    // stopped, the message.
    bool Fail(int textId, int captionId);
    // Another PLC is on the port now: it is sent nothing, and the user is told that the PLC
    // that was checked was not changed either.
    bool AnotherPlcOnThePort(const std::wstring& port);
    // The port's own message when this user may not open it: what is wrong and the remedy.
    void ShowPermissionDenied(const std::wstring& devicePath);
    // Tells the frame that the step is over (1) or that the wizard ends (0).
    void EndStep(unsigned long wParam);

    QComboBox* m_cbPort = nullptr;
    QAbstractButton* m_btnRefresh = nullptr;
    QAbstractButton* m_rdoFirst = nullptr;
    QAbstractButton* m_rdoSecond = nullptr;
    QLabel* m_aniConnect = nullptr;
    QProgressBar* m_prgConnect = nullptr;
    QLabel* m_stGuide = nullptr;
    QLabel* m_stConnecting = nullptr;
    std::vector<std::wstring> m_saDeviceDesc;
    std::vector<std::wstring> m_saPortName;
    // ConnectPlc is running further down the stack (the link pumps the timer from inside
    // it): a full bar waits for its successful return before the step ends.
    bool m_bConnecting = false;
};
