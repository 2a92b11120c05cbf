#include "wizard/pages/PreSetupDlg.h"

CPreSetupDlg::CPreSetupDlg(QWidget* pParent) : Dialog(IDD, pParent) {}
