// The hold on a PLC, on every platform: one holder per identity, named to whoever is refused,
// and a folder that cannot hold is told, never taken for a hold or for a holder.
#include "platform/PlcHold.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/PlcFileName.h"
#include "tests/support/TempFolder.h"

namespace qx4t {
namespace {

namespace fs = std::filesystem;

fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}
std::string utf8(const fs::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

TEST(PlcHold, OneHolderPerIdentityNamedToTheOthers) {
    const std::string root = test::MakeTempFolder("qx4t-hold");
    ASSERT_FALSE(root.empty());
    const std::string folder = utf8(pathOf(root) / "holds");
    {
        PlcHold wizard, vup, other;
        ASSERT_EQ(wizard.acquire(folder, "usb-serial:S1", "qx4t-vuptool"), PlcHold::Status::Held);
        EXPECT_EQ(vup.acquire(folder, "usb-serial:S1", "qx4t-vup"), PlcHold::Status::Busy);
        EXPECT_EQ(vup.holder().rfind("qx4t-vuptool (pid ", 0), 0u) << vup.holder();
        EXPECT_FALSE(vup.held());
        EXPECT_EQ(other.acquire(folder, "usb-serial:S2", "qx4t-vup"), PlcHold::Status::Held);
        wizard.release();
        ASSERT_EQ(vup.acquire(folder, "usb-serial:S1", "qx4t-vup"), PlcHold::Status::Held);
        EXPECT_EQ(wizard.acquire(folder, "usb-serial:S1", "qx4t-vuptool"), PlcHold::Status::Busy);
        EXPECT_EQ(wizard.holder().rfind("qx4t-vup (pid ", 0), 0u) << wizard.holder();
        // An empty folder holds nothing.
        EXPECT_EQ(PlcHold().acquire({}, "usb-serial:S1", "qx4t-vup"), PlcHold::Status::Held);
    }
    // A file where the folder belongs, and a folder where the hold's file belongs.
    std::ofstream(pathOf(root) / "plain") << "x";
    PlcHold hold;
    EXPECT_EQ(hold.acquire(utf8(pathOf(root) / "plain"), "usb-serial:S1", "qx4t-vup"),
              PlcHold::Status::Unavailable);
    EXPECT_FALSE(hold.error().empty());
    fs::create_directories(pathOf(folder) / plcFileName("usb-serial:S3", ".lock"));
    EXPECT_EQ(hold.acquire(folder, "usb-serial:S3", "qx4t-vup"), PlcHold::Status::Unavailable);
    EXPECT_FALSE(hold.error().empty());
    EXPECT_FALSE(hold.held());
    std::error_code ec;
    fs::remove_all(pathOf(root), ec);
}

}  // namespace
}  // namespace qx4t
