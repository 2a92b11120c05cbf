#pragma once
// The version-up page: the last confirmation, the transfer and the restart.
#include <QColor>
#include <QFont>

#include <chrono>
#include <string>

#include "common/VersionRules.h"
#include "platform/ui/Dialog.h"

class CWizardFrame;
class QProgressBar;

class CVerupDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8504;
    // Timer 2 starts the transfer, 3 moves the bar during it, 4 and 5 wait for the PLC's
    // restart, 6 polls the restarted PLC.
    static constexpr int kStartTimer = 2;
    static constexpr int kTransferTimer = 3;
    static constexpr int kSettleTimer = 4;
    static constexpr int kCreepTimer = 5;
    static constexpr int kPollTimer = 6;
    static constexpr std::chrono::milliseconds kStartDelay{1000};
    static constexpr std::chrono::milliseconds kTransferPeriod{1000};

    explicit CVerupDlg(QWidget* pParent = nullptr);

    // Asks for the last confirmation and, on Yes, starts the version-up on the page's timers.
    // The outcome reaches the frame as WM_VERSIONUP_END. Always true.
    bool StartVersionUp();

    std::wstring m_strSeries;
    std::wstring m_strLabel;
    std::wstring m_strVersionLine;
    std::wstring m_strStatus;
    std::wstring m_strWarning;
    // Written by the link after each full block of the transfer, read by timer 3.
    int m_nProgress = 0;
    QColor m_clrWarning{255, 0, 0};

protected:
    bool OnInitDialog() override;
    void DoDataExchange(qx4t::ui::DataExchange& dx) override;
    void OnTimer(int id) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnShowWindow(bool bShow);
    void OnTransfer();
    void OnTransferProgress();
    void OnSettleEnd();
    void OnCreep();
    void OnPoll();
    [[nodiscard]] CWizardFrame* Frame() const;
    [[nodiscard]] int ProgressPos() const;
    void SetProgressPos(int nPos);
    // Tells the frame the outcome: 1 the finish page, 0 the wizard ends.
    void EndVersionUp(unsigned long wParam);
    // The failure ending: the timer stopped, 25013 / 25014, the wizard ends.
    void Fail(int timerId);

    QProgressBar* m_prgVerup = nullptr;
    QFont m_fontBold;
    // The wait for the restarted PLC (bar, retry counting, and the guard that keeps a tick
    // that arrives while an earlier poll is still reading from touching the link).
    qx4t::RestartPoll m_RestartPoll;
    // A PLC of another identity held the updated PLC's old name during this round of polls.
    bool m_bOtherPlcSeen = false;
};
