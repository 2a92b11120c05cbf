#include "wizard/frame/WizardFrame.h"

#include <QCheckBox>

#include "platform/ui/Dialog.h"

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
