#include "wizard/pages/VerupDlg.h"

CVerupDlg::CVerupDlg(QWidget* pParent) : Dialog(IDD, pParent) {}
