#pragma once
// What a page sees of the frame it is shown in: the shared state, the frame's buttons and the
// two messages by which a page ends its step. CBaseDlg implements it; pages never see the
// frame's own class, so the frame can hold its pages without the two including each other.
#include <QIcon>
#include <QList>

#include <string>

#include "common/PlcIdentity.h"
#include "platform/PlcHold.h"
#include "platform/ui/WinDefs.h"

class CComManager;
struct stPlcStatus;

namespace qx4t::ui {
class Dialog;
}

class CWizardFrame {
public:
    // The page messages: WPARAM 1 shows the next page, 0 ends the wizard with IDCANCEL.
    static constexpr unsigned WM_MODECHG_END = WM_USER + 100;
    static constexpr unsigned WM_VERSIONUP_END = WM_USER + 101;

    // Pointers into the frame: pages keep no copies of the shared state.
    [[nodiscard]] virtual int GetLanguage() const = 0;
    [[nodiscard]] virtual CComManager* GetComPortPtr() = 0;
    [[nodiscard]] virtual stPlcStatus* GetPlcStatusPtr() = 0;
    [[nodiscard]] virtual std::wstring* GetVerInfoPtr() = 0;
    [[nodiscard]] virtual std::wstring* GetPortPtr() = 0;
    // The identity of the PLC on the port the connect page opened, fixed at its status read:
    // the version-up page follows that PLC, and only that one, across renames.
    [[nodiscard]] virtual qx4t::PlcIdentity* GetPlcIdentityPtr() = 0;
    // The hold on that PLC against other tools, from the connect page's status read to the
    // version-up's verdict (released by a new start at the top).
    [[nodiscard]] virtual qx4t::PlcHold* GetPlcHoldPtr() = 0;
    [[nodiscard]] virtual const void* GetFWUpdateDataPtr() const = 0;
    [[nodiscard]] virtual unsigned long GetFWUpdateDataSize() const = 0;
    [[nodiscard]] virtual const void* GetEthernetFWUpdateDataPtr() const = 0;
    [[nodiscard]] virtual unsigned long GetEthernetWUpdateDataSize() const = 0;
    // The series name of the model in the status record, "***" for an unknown model.
    [[nodiscard]] virtual std::wstring GetPLCSeriesName() const = 0;
    // String 8109 of the wizard library ("01.80"), "" when it cannot be found.
    [[nodiscard]] virtual std::wstring GetTargetFWVer() const = 0;
    // Icon 8103 as image 0 (the connect page's refresh button); empty without the icon.
    [[nodiscard]] virtual const QList<QIcon>& GetIconList() const = 0;

    virtual void SetEnableBtnNext(int bEnable) = 0;
    virtual void SetEnableBtnBack(int bEnable) = 0;
    // Cancel and, with it, the window's Close item.
    virtual void SetEnableBtnCancel(int bEnable) = 0;

    // Delivers a page message to the frame's handler before it returns; the handler's result.
    virtual long SendMessage(unsigned message, unsigned long wParam, long lParam) = 0;

protected:
    CWizardFrame() = default;
    CWizardFrame(const CWizardFrame&) = default;
    CWizardFrame& operator=(const CWizardFrame&) = default;
    // Pages never own their frame.
    ~CWizardFrame() = default;
};

// The frame that a page window is shown in; null while the page is not inside one.
[[nodiscard]] CWizardFrame* FrameOf(const qx4t::ui::Dialog& page);
// True when the frame's image for the model of `modelCode` is the one the build recorded;
// false for a damaged one, or an unknown model.
[[nodiscard]] bool ImageAsBuilt(const CWizardFrame& frame, const std::wstring& modelCode);
// For a page whose check box gates the frame's Next button: from the first call on (made when
// the page's window is created) Next follows the box however it is ticked, while the page is
// shown; each call also brings Next in line with the box now.
void NextFollowsBox(const qx4t::ui::Dialog& page, int boxId);
