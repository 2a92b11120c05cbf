#include "wizard/pages/ConnectDlg.h"

CConnectDlg::CConnectDlg(QWidget* pParent) : Dialog(IDD, pParent) {}

void CConnectDlg::DoDataExchange(qx4t::ui::DataExchange& dx) {
    Dialog::DoDataExchange(dx);
    dx.radio(8017, m_nSkipModeChk);
}
