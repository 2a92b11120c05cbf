#pragma once
// The preparation page: the target version, the manual, the user's confirmation.
#include <QString>

#include <string>

#include "platform/ui/Dialog.h"

class CPreSetupDlg : public qx4t::ui::Dialog {
public:
    static constexpr int IDD = 8501;
    explicit CPreSetupDlg(QWidget* pParent = nullptr);

    // The manual of a language index, relative to the current folder; "" outside 0..9.
    [[nodiscard]] static QString ManualFileOf(int nLanguage);
    // What the manual link opens; empty when the language has no manual.
    [[nodiscard]] const QString& GetManualURL() const { return m_strManualURL; }

    // Leaving the page: coming back to it needs a fresh tick.
    void ClearReadyBox();

    std::wstring m_strVersionLine;  // string 20004 with the target version, control 8013

protected:
    bool OnInitDialog() override;
    void DoDataExchange(qx4t::ui::DataExchange& dx) override;
    void OnCommand(int id) override;

private:
    void OnBnClickedReady();
    void OnManualLink();

    QString m_strManualURL;  // the link control 8014's target
};
