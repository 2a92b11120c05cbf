#include "wizard/frame/WizardFrame.h"

#include <QCheckBox>

#include "platform/ui/Dialog.h"

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
