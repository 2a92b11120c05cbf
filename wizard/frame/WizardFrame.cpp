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
    QCheckBox* box = page.checkBox(boxId);
    if (box == nullptr) {
        return;
    }
    // Next follows the box's state, not its clicks: a screen reader's Toggle action changes
    // the state without a click. Only the page on show speaks for Next.
    const auto follow = [&page, box] {
        if (CWizardFrame* frame = FrameOf(page); frame != nullptr && !page.isHidden()) {
            frame->SetEnableBtnNext(box->isChecked() ? 1 : 0);
        }
    };
    static constexpr const char* kFollowed = "qx4tNextFollows";
    if (!box->property(kFollowed).toBool()) {
        box->setProperty(kFollowed, true);
        QObject::connect(box, &QCheckBox::toggled, box, follow);
    }
    follow();
}
