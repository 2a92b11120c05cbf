#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/ModelTable.h"
#include "firmware/Images.h"
#include "firmware/Sha256.h"

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

TEST(FirmwareImages, Sha256MatchesTheStandardsVectors) {
    const std::string million(1000000, 'a');
    const std::string blockEdges[] = {std::string(55, 'x'), std::string(56, 'x'),
                                      std::string(64, 'x')};
    EXPECT_EQ(toHex(sha256("", 0)),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(toHex(sha256("abc", 3)),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(toHex(sha256(two.data(), two.size())),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(toHex(sha256(million.data(), million.size())),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    // Tails that leave room for the length in the last block, and ones that do not.
    EXPECT_EQ(toHex(sha256(blockEdges[0].data(), 55)),
              "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072");
    EXPECT_EQ(toHex(sha256(blockEdges[1].data(), 56)),
              "04c26261370ee7541549d16dee320c723e3fd14671e66a099afe0a377c16888e");
    EXPECT_EQ(toHex(sha256(blockEdges[2].data(), 64)),
              "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c");
}

// The build recorded each image's digest; a copy with one bit changed, or one byte short, is
// not the image as built.
TEST(FirmwareImages, OnlyTheImageAsBuiltPassesItsCheck) {
    for (const Image& image : {plainImage(), ethernetImage()}) {
        ASSERT_EQ(image.recordedSha256.size(), 64u);
        EXPECT_EQ(image.recordedSha256, toHex(sha256(image.data, image.size)));
        EXPECT_TRUE(isAsBuilt(image.data, image.size, image));

        std::string copy(reinterpret_cast<const char*>(image.data), image.size);
        copy[copy.size() / 2] ^= 0x01;
        EXPECT_FALSE(isAsBuilt(copy.data(), copy.size(), image));
        copy[copy.size() / 2] ^= 0x01;
        EXPECT_TRUE(isAsBuilt(copy.data(), copy.size(), image));
        EXPECT_FALSE(isAsBuilt(copy.data(), copy.size() - 1, image));
        EXPECT_FALSE(isAsBuilt(nullptr, image.size, image));
        EXPECT_FALSE(isAsBuilt(image.data, image.size, Image{image.data, image.size, {}}));
    }
    EXPECT_FALSE(isAsBuilt(plainImage().data, plainImage().size, ethernetImage()));
}

}  // namespace
}  // namespace qx4t::firmware
