#include "wizard/pages/FinishDlg.h"

CFinishDlg::CFinishDlg(QWidget* pParent) : Dialog(IDD, pParent) {}
