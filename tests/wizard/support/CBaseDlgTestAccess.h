#pragma once
// The frame's private steps, for the tests and the bench: the one class CBaseDlg befriends.
#include "wizard/frame/BaseDlg.h"

struct CBaseDlgTestAccess {
    static void InitFlag(CBaseDlg& d) { d.InitFlag(); }
    static qx4t::ui::Dialog* Page(CBaseDlg& d, int id) { return d.PageOf(id); }
};
