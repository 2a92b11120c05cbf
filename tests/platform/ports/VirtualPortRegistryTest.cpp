#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/ports/PortEnumerator.h"
#include "tests/platform/ports/FakeMachine.h"

namespace {

using qx4t::ports::readVirtualPorts;
using qx4t::ports::registerVirtualPort;
using qx4t::ports::VirtualPortRegistration;
using qx4t::test::FakeMachine;

std::string contents(const std::string& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(VirtualPortRegistry, EntryLivesAsLongAsItsRegistration) {
    FakeMachine m;
    const std::string folder = m.registry().string();
    {
        VirtualPortRegistration reg = registerVirtualPort("pts/7", "TEMLO PLC (simulated)", folder);
        ASSERT_TRUE(reg.ok()) << reg.error();
        EXPECT_EQ(contents(reg.path()), "port=pts/7\ndescription=TEMLO PLC (simulated)\npid=" +
                                            std::to_string(::getpid()) + "\n");
        const auto ports = readVirtualPorts(folder);
        ASSERT_EQ(ports.size(), 1u);
        EXPECT_EQ(ports[0].name, "pts/7");
        EXPECT_TRUE(ports[0].isVirtual);

        // Moving hands over the one entry; the moved-from object removes nothing.
        VirtualPortRegistration moved = std::move(reg);
        EXPECT_FALSE(reg.ok());
        EXPECT_EQ(readVirtualPorts(folder).size(), 1u);
    }
    EXPECT_TRUE(readVirtualPorts(folder).empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "no temporary file left behind";
}

TEST(VirtualPortRegistry, TheIdLineNamesTheDeviceAcrossRenames) {
    FakeMachine m;
    const std::string folder = m.registry().string();
    auto reg = registerVirtualPort("pts/7", "TEMLO PLC (simulated)", folder, "sim-a\nid=x");
    ASSERT_TRUE(reg.ok()) << reg.error();
    EXPECT_EQ(contents(reg.path()), "port=pts/7\ndescription=TEMLO PLC (simulated)\npid=" +
                                        std::to_string(::getpid()) + "\nid=sim-a id=x\n");
    reg.remove();
    reg = registerVirtualPort("pts/9", "TEMLO PLC (simulated)", folder, "sim-a");
    const auto ports = readVirtualPorts(folder);
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].name, "pts/9");
    EXPECT_EQ(ports[0].identity, "virtual:sim-a");
}

TEST(VirtualPortRegistry, LineBreaksCannotForgeKeys) {
    FakeMachine m;
    const auto reg = registerVirtualPort("pts/8", "TEMLO PLC\nport=ttyS0", m.registry().string());
    ASSERT_TRUE(reg.ok());
    const auto ports = readVirtualPorts(m.registry().string());
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].name, "pts/8");
    EXPECT_EQ(ports[0].description, "TEMLO PLC port=ttyS0");
}

TEST(VirtualPortRegistry, DefaultFolderIsCreatedPrivate) {
    FakeMachine m;
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved ? saved : "";
    ::setenv("XDG_RUNTIME_DIR", m.root().c_str(), 1);
    const std::string expected = (m.root() / "qx4t" / "ports").string();
    EXPECT_EQ(qx4t::ports::defaultRegistryFolder(), expected);
    {
        const auto reg = registerVirtualPort("pts/1", "TEMLO PLC (simulated)");
        ASSERT_TRUE(reg.ok()) << reg.error();
        EXPECT_EQ(std::filesystem::path(reg.path()).parent_path().string(), expected);
        struct stat st {};
        ASSERT_EQ(::stat(expected.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(qx4t::ports::enumeratePorts(
                      {m.sysfs().string(), m.udev().string(), m.dev().string(), ""})
                      .size(),
                  1u);
    }
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(qx4t::ports::defaultRegistryFolder(),
              "/tmp/qx4t-" + std::to_string(::getuid()) + "/ports");
    if (saved) {
        ::setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
    }
}

TEST(VirtualPortRegistry, RefusesWhatItCannotWrite) {
    FakeMachine m;
    EXPECT_FALSE(registerVirtualPort("", "TEMLO PLC", m.registry().string()).ok());
    const auto file = m.root() / "a-file";
    m.write(file, "");
    const auto reg = registerVirtualPort("pts/1", "TEMLO PLC", file.string());
    EXPECT_FALSE(reg.ok());
    EXPECT_FALSE(reg.error().empty());
    // A link planted where the folder should be is not followed.
    m.link(m.root() / "planted", m.registry());
    EXPECT_FALSE(registerVirtualPort("pts/1", "TEMLO PLC", (m.root() / "planted").string()).ok());
    EXPECT_TRUE(readVirtualPorts((m.root() / "planted").string()).empty());
}

}  // namespace
