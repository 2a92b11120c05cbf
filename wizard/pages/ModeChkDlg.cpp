#include "wizard/pages/ModeChkDlg.h"

CModeChkDlg::CModeChkDlg(QWidget* pParent) : Dialog(IDD, pParent) {}
