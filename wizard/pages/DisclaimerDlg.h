#pragma once
// The disclaimer page: the user accepts the text before the wizard goes on.
#include "platform/ui/Dialog.h"

class CDisclaimerDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8507;
    explicit CDisclaimerDlg(QWidget* pParent = nullptr);
};
