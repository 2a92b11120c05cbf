#include "firmware/Images.h"

#include "common/ModelTable.h"
#include "firmware/Sha256.h"

// Defined in Images.S from the image files.
extern "C" {
extern const unsigned char qx4t_fw_plain_begin[];
extern const unsigned char qx4t_fw_plain_end[];
extern const unsigned char qx4t_fw_ethernet_begin[];
extern const unsigned char qx4t_fw_ethernet_end[];
extern const char qx4t_fw_plain_sha256[];
extern const char qx4t_fw_ethernet_sha256[];
}

namespace qx4t::firmware {

namespace {
constexpr std::size_t kDigestDigits = 64;
}  // namespace

Image plainImage() {
    return {qx4t_fw_plain_begin, static_cast<std::size_t>(qx4t_fw_plain_end - qx4t_fw_plain_begin),
            std::string_view(qx4t_fw_plain_sha256, kDigestDigits)};
}

Image ethernetImage() {
    return {qx4t_fw_ethernet_begin,
            static_cast<std::size_t>(qx4t_fw_ethernet_end - qx4t_fw_ethernet_begin),
            std::string_view(qx4t_fw_ethernet_sha256, kDigestDigits)};
}

bool isAsBuilt(const void* data, std::size_t size, const Image& built) {
    if (data == nullptr || size != built.size || built.recordedSha256.size() != kDigestDigits) {
        return false;
    }
    return toHex(sha256(data, size)) == built.recordedSha256;
}

Image imageFor(std::wstring_view modelCode) {
    for (const auto& row : kModelTable) {
        if (row.code == modelCode)
            return row.ethernet ? ethernetImage() : plainImage();
    }
    return {};
}

}  // namespace qx4t::firmware
