#include "firmware/Images.h"

#include "common/ModelTable.h"

// Defined in Images.S from the image files.
extern "C" {
extern const unsigned char qx4t_fw_plain_begin[];
extern const unsigned char qx4t_fw_plain_end[];
extern const unsigned char qx4t_fw_ethernet_begin[];
extern const unsigned char qx4t_fw_ethernet_end[];
}

namespace qx4t::firmware {

Image plainImage() {
    return {qx4t_fw_plain_begin, static_cast<std::size_t>(qx4t_fw_plain_end - qx4t_fw_plain_begin)};
}

Image ethernetImage() {
    return {qx4t_fw_ethernet_begin,
            static_cast<std::size_t>(qx4t_fw_ethernet_end - qx4t_fw_ethernet_begin)};
}

Image imageFor(std::wstring_view modelCode) {
    for (const auto& row : kModelTable) {
        if (row.code == modelCode)
            return row.ethernet ? ethernetImage() : plainImage();
    }
    return {};
}

}  // namespace qx4t::firmware
