#include "cli/Advice.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace qx4t::cli {
namespace {

namespace fs = std::filesystem;

class FakeProc : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::path(::testing::TempDir()) / ("qx4t-proc-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }
    void process(const std::string& pid, const std::string& comm) {
        fs::create_directories(root / pid);
        std::ofstream(root / pid / "comm") << comm << "\n";
    }
    fs::path root;
};

TEST_F(FakeProc, ModemManagerIsFoundByItsCommandName) {
    process("1", "systemd");
    process("self", "ModemManager");  // not a process folder
    process("77", "ModemManagerX");
    EXPECT_FALSE(ModemManagerRunning(root.string()));
    process("812", "ModemManager");
    EXPECT_TRUE(ModemManagerRunning(root.string()));
    EXPECT_FALSE(ModemManagerRunning((root / "missing").string()));
}

TEST(Advice, PermissionDeniedNamesTheGroup) {
    const std::string path = ::testing::TempDir() + "qx4t-no-access";
    std::ofstream(path) << "";
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    if (::geteuid() == 0) {
        // Root passes every permission check; only the unprivileged run can see the advice.
        EXPECT_EQ(AccessAdvice(path), "");
    } else {
        // Mode 0: the file's group has no access either, so no group is worth joining.
        const std::string advice = AccessAdvice(path);
        EXPECT_NE(advice.find("permission denied on " + path), std::string::npos) << advice;
        EXPECT_EQ(advice.find("usermod"), std::string::npos) << advice;
    }
    ::unlink(path.c_str());
    EXPECT_EQ(AccessAdvice("/nonexistent/ttyACM0"), "");  // a missing port is not a permission
    EXPECT_NE(BusyAdvice("/dev/ttyACM0").find("/dev/ttyACM0 is in use"), std::string::npos);
}

TEST(Advice, AGroupIsNamedOnlyWhereJoiningItWouldHelp) {
    using serial::DeviceAccess;
    const std::string port = "/dev/ttyACM0";
    EXPECT_EQ(AccessAdvice(port, DeviceAccess{}), "");

    // Root's own 0600 device: no group opens it.
    const std::string rootOnly = AccessAdvice(port, DeviceAccess{true, "root", false, false});
    EXPECT_NE(rootOnly.find("permission denied on /dev/ttyACM0"), std::string::npos);
    EXPECT_EQ(rootOnly.find("usermod"), std::string::npos) << rootOnly;
    EXPECT_EQ(rootOnly.find("'root'"), std::string::npos) << rootOnly;
    EXPECT_NE(rootOnly.find("70-qx4t-plc.rules"), std::string::npos) << rootOnly;

    const std::string dialout = AccessAdvice(port, DeviceAccess{true, "dialout", true, false});
    EXPECT_NE(dialout.find("sudo usermod -aG dialout $USER"), std::string::npos) << dialout;

    // Already a member, in a session that predates it: joining again would not help.
    const std::string stale = AccessAdvice(port, DeviceAccess{true, "dialout", true, true});
    EXPECT_EQ(stale.find("usermod"), std::string::npos) << stale;
    EXPECT_NE(stale.find("log out and in"), std::string::npos) << stale;
}

TEST(Advice, ABusyPortNamesItsHolderOrSaysItMayBeHidden) {
    EXPECT_EQ(BusyAdvice("/dev/ttyACM0", "in use by picocom (pid 4242)"),
              "/dev/ttyACM0 is in use by picocom (pid 4242). Close that program and try again.");
    const std::string hidden = BusyAdvice("/dev/ttyACM0", "may be in use by another program");
    EXPECT_TRUE(hidden.starts_with("/dev/ttyACM0 may be in use by another program")) << hidden;
    EXPECT_NE(hidden.find("sudo fuser -v /dev/ttyACM0"), std::string::npos) << hidden;
}

}  // namespace

TEST(Advice, ModemManagerAdviceNamesTheInstalledUdevRule) {
    const fs::path root = fs::path(::testing::TempDir()) / "qx4t-advice-udev";
    fs::remove_all(root);
    fs::create_directories(root);
    EXPECT_EQ(InstalledUdevRule(root.string()), "");
    EXPECT_NE(ModemManagerAdvice(root.string()).find("Install the package qx4t-udev"),
              std::string::npos);

    fs::create_directories(root / "usr/lib/udev/rules.d");
    std::ofstream(root / "usr/lib/udev/rules.d/70-qx4t-plc.rules") << "\n";
    std::string advice = ModemManagerAdvice(root.string());
    EXPECT_NE(advice.find("The udev rule /usr/lib/udev/rules.d/70-qx4t-plc.rules"),
              std::string::npos)
        << advice;
    EXPECT_EQ(advice.find("Install the package"), std::string::npos) << advice;

    // A local copy, completed with the PLC's ids, is the one in force.
    fs::create_directories(root / "etc/udev/rules.d");
    std::ofstream(root / "etc/udev/rules.d/70-qx4t-plc.rules") << "\n";
    advice = ModemManagerAdvice(root.string());
    EXPECT_NE(advice.find("The udev rule /etc/udev/rules.d/70-qx4t-plc.rules"), std::string::npos)
        << advice;
    fs::remove_all(root);
}

}  // namespace qx4t::cli
