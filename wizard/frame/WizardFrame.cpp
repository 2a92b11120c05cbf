#include "wizard/frame/WizardFrame.h"

#include <QCheckBox>

#include "common/VersionRules.h"
#include "firmware/Images.h"
#include "platform/ui/Dialog.h"

bool ImageAsBuilt(const CWizardFrame& frame, const std::wstring& modelCode) {
    const qx4t::ModelRow* row = qx4t::FindModel(modelCode);
    if (row == nullptr) {
        return false;
    }
    const bool ethernet = qx4t::UsesEthernetImage(*row);
    return qx4t::firmware::isAsBuilt(
        ethernet ? frame.GetEthernetFWUpdateDataPtr() : frame.GetFWUpdateDataPtr(),
        ethernet ? frame.GetEthernetWUpdateDataSize() : frame.GetFWUpdateDataSize(),
        ethernet ? qx4t::firmware::ethernetImage() : qx4t::firmware::plainImage());
}

CWizardFrame* FrameOf(const qx4t::ui::Dialog& page) {
    return dynamic_cast<CWizardFrame*>(page.parentDialog());
}

void NextFollowsBox(const qx4t::ui::Dialog& page, int boxId) {
    CWizardFrame* frame = FrameOf(page);
    const QCheckBox* box = page.checkBox(boxId);
    if (frame != nullptr && box != nullptr) {
        frame->SetEnableBtnNext(box->isChecked() ? 1 : 0);
    }
}
