#pragma once
// The disclaimer page: the user accepts the text before the wizard goes on.
#include <string>

#include "platform/ui/Dialog.h"

class CDisclaimerDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8507;
    explicit CDisclaimerDlg(QWidget* pParent = nullptr);

    std::wstring m_strDisclaimer;  // string 25028, control 8044

protected:
    bool OnInitDialog() override;
    void DoDataExchange(qx4t::ui::DataExchange& dx) override;
    void OnCommand(int id) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnShowWindow();
    void OnBnClickedAgree();
};
