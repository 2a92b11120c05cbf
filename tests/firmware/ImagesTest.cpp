#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/ModelTable.h"
#include "firmware/Images.h"

namespace qx4t::firmware {
namespace {

std::string head(const Image& image) {
    return std::string(reinterpret_cast<const char*>(image.data), 64);
}

TEST(FirmwareImages, EachModelHasItsOwnFullSizeImage) {
    const Image plain = plainImage();
    const Image ethernet = ethernetImage();
    ASSERT_NE(plain.data, nullptr);
    ASSERT_NE(ethernet.data, nullptr);
    EXPECT_EQ(plain.size, kFirmwareImageSize);
    EXPECT_EQ(ethernet.size, kFirmwareImageSize);

    EXPECT_EQ(imageFor(L"B0").data, plain.data);
    EXPECT_EQ(imageFor(L"B1").data, ethernet.data);
    for (const wchar_t* unknown : {L"", L"B2", L"b0", L"B0 "}) {
        EXPECT_EQ(imageFor(unknown).data, nullptr) << unknown;
        EXPECT_EQ(imageFor(unknown).size, 0u);
    }
}

#ifndef QX4T_REAL_FIRMWARE
TEST(FirmwareImages, PlaceholdersNameModelAndVersionAndDifferThroughout) {
    EXPECT_EQ(head(plainImage()).rfind("QX4T-FW B0 0180 ", 0), 0u) << head(plainImage());
    EXPECT_EQ(head(ethernetImage()).rfind("QX4T-FW B1 0180 ", 0), 0u);
    EXPECT_EQ(head(plainImage()).find_first_not_of(' ', 15), std::string::npos);

    // Not only the heads: every 64 KiB block of the two images differs.
    const Image a = plainImage();
    const Image b = ethernetImage();
    for (std::size_t at = 64; at < a.size; at += 65536) {
        std::size_t n = std::min<std::size_t>(65536, a.size - at);
        EXPECT_NE(std::memcmp(a.data + at, b.data + at, n), 0) << "block at " << at;
    }
}
#endif

}  // namespace
}  // namespace qx4t::firmware
