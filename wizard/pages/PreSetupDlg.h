#pragma once
// The preparation page: the target version, the manual, the user's confirmation.
#include "platform/ui/Dialog.h"

class CPreSetupDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8501;
    explicit CPreSetupDlg(QWidget* pParent = nullptr);
};
