#pragma once
// The finish page: the series and the old and new versions.
#include <string>

#include "platform/ui/Dialog.h"

class CFinishDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8505;
    explicit CFinishDlg(QWidget* pParent = nullptr);

    std::wstring m_strSeries;       // control 8039
    std::wstring m_strVersionLine;  // string 20005 with the old and new versions, control 8026

protected:
    void DoDataExchange(qx4t::ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnShowWindow();
};
