// The wizard library joins the resource chain as soon as it is loaded, with the two firmware
// images as its "DAT" blocks 8104 and 8107. The blocks are the images' own bytes, never copies,
// so the frame's pointers stay valid for as long as the library is loaded.
#include "common/ModelTable.h"
#include "firmware/Images.h"
#include "platform/res/Resources.h"

namespace {

struct Registration {
    Registration() {
        const auto module = qx4t::res::registerModule(QStringLiteral("Qx4t_V0180"));
        const auto plain = qx4t::firmware::plainImage();
        const auto ethernet = qx4t::firmware::ethernetImage();
        qx4t::res::registerData(module, "DAT", qx4t::kImageIdPlain, plain.data, plain.size);
        qx4t::res::registerData(module, "DAT", qx4t::kImageIdEthernet, ethernet.data,
                                ethernet.size);
    }
};

const Registration registration;

}  // namespace
