#pragma once
// The finish page: the series and the old and new versions.
#include "platform/ui/Dialog.h"

class CFinishDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8505;
    explicit CFinishDlg(QWidget* pParent = nullptr);
};
