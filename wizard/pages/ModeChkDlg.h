#pragma once
// The mode check page: the user confirms the check that the page asks for.
#include "platform/ui/Dialog.h"

class CModeChkDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8503;
    explicit CModeChkDlg(QWidget* pParent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnBnClickedConfirm();
};
