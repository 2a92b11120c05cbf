#pragma once
// The version-up page: the last confirmation, the transfer and the restart.
#include "platform/ui/Dialog.h"

class CVerupDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8504;
    explicit CVerupDlg(QWidget* pParent = nullptr);
};
