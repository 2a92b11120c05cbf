#include "wizard/pages/DisclaimerDlg.h"

CDisclaimerDlg::CDisclaimerDlg(QWidget* pParent) : Dialog(IDD, pParent) {}
