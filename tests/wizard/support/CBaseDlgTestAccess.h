#pragma once
// The frame's private steps, for the tests and the bench: the one class CBaseDlg befriends.
#include "wizard/frame/BaseDlg.h"

struct CBaseDlgTestAccess {
    static void InitFlag(CBaseDlg& d) { d.InitFlag(); }
    static qx4t::ui::Dialog* Page(CBaseDlg& d, int id) { return d.PageOf(id); }
    // Stands in for the plain image the frame loaded (a damaged library file).
    static void SetPlainImage(CBaseDlg& d, const void* data, unsigned long size) {
        d.m_pFWUpdateData = data;
        d.m_dwFWUpdateDataSize = size;
    }
};
