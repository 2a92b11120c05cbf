// The link's device paths on Windows: "\\.\" before the port name as discovery lists it, which
// reaches COM10 and above as well, and COM10 before the first open.
#include <gtest/gtest.h>

#include "link/ComManager.h"
#include "tests/support/FakeLink.h"

namespace {

namespace rc = qx4t::link;
using qx4t::test::ScopedFakeLink;

TEST(OpenPortOnWindows, PathIsTheDevicePrefixAndThePortName) {
    ScopedFakeLink fake;
    CComManager link;
    EXPECT_EQ(link.m_strPort, L"\\\\.\\COM10");
    ASSERT_EQ(link.OpenPort(L"COM3"), rc::kOk);
    EXPECT_EQ(link.m_strPort, L"\\\\.\\COM3");
    EXPECT_EQ(fake.port.openedPaths().back(), "\\\\.\\COM3");
    ASSERT_EQ(link.OpenPort(L"COM12"), rc::kOk);
    EXPECT_EQ(fake.port.openedPaths().back(), "\\\\.\\COM12");
    link = CComManager();
    EXPECT_EQ(link.m_strPort, L"\\\\.\\COM10") << "a fresh link starts at COM10 again";
}

}  // namespace
