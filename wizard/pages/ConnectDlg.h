#pragma once
// The connect page: port choice, the PLC checks and the update-mode entry.
#include "platform/ui/Dialog.h"

class CConnectDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8502;
    explicit CConnectDlg(QWidget* pParent = nullptr);

    // Radios 8017 (0: go through the mode check page) and 8018 (1: skip it).
    int m_nSkipModeChk = 0;

protected:
    void DoDataExchange(qx4t::ui::DataExchange& dx) override;
};
