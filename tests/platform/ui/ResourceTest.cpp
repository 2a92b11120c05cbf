// The resource chain: search order, loading by path, lookups by id, data blocks.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

#include "platform/res/Resources.h"
#include "tests/platform/ui/support/UiTestSupport.h"

namespace res = qx4t::res;

namespace {

class ResourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        qx4t::test::ensureApplication();
        res::registerModule(QStringLiteral("UiTestRes"));
    }
    static std::ptrdiff_t position(res::ModuleHandle m) {
        const auto c = res::chain();
        return std::find(c.begin(), c.end(), m) - c.begin();
    }
};

TEST_F(ResourceTest, ExecutableFirstThenLibrariesMostRecentFirst) {
    auto a = res::registerModule(QStringLiteral("ChainA"));
    auto b = res::registerModule(QStringLiteral("ChainB"));
    EXPECT_EQ(res::registerModule(QStringLiteral("ChainA")), a);  // joining twice keeps the place
    const auto c = res::chain();
    EXPECT_EQ(res::moduleName(c.front()), QStringLiteral("ui_tests"));
    EXPECT_LT(position(b), position(a));
    EXPECT_EQ(res::findModule(QStringLiteral("ChainB")), b);

    // A library loaded by path joins under its file name, ahead of the others.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&res::chain), &info), 0);
    auto loaded = res::loadLibrary(info.dli_fname);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(res::moduleName(loaded), QStringLiteral("libqx4t_ui"));
    EXPECT_LT(position(loaded), position(b));

    res::removeFromChain(a);
    res::removeFromChain(b);
    res::removeFromChain(loaded);
    EXPECT_EQ(res::findModule(QStringLiteral("ChainA")), nullptr);
}

TEST_F(ResourceTest, ALibraryThatCannotBeLoadedGivesNull) {
    EXPECT_EQ(res::loadLibrary("/nonexistent/folder/Qx4t_en.so"), nullptr);
    // A file that exists but is no library.
    const QString junk = QDir::tempPath() + "/qx4t-junk-library.so";
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(res::loadLibrary(junk.toStdString()), nullptr);
    EXPECT_EQ(res::findModule(QStringLiteral("qx4t-junk-library")), nullptr);
    QFile::remove(junk);
}

TEST_F(ResourceTest, LookupsByIdWalkTheChain) {
    // The executable's template shadows the library's of the same id.
    QFile t(res::templatePath(9100));
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    EXPECT_TRUE(t.readAll().contains("from exe"));
    EXPECT_TRUE(res::templatePath(9000).startsWith(QStringLiteral(":/UiTestRes/")));
    EXPECT_TRUE(res::templatePath(4711).isEmpty());

    EXPECT_EQ(res::loadString(30002), QStringLiteral("Test caption"));
    EXPECT_TRUE(res::loadString(30003).isEmpty());
    auto other = res::registerModule(QStringLiteral("NoStrings"));
    EXPECT_TRUE(res::loadString(other, 30002).isEmpty());
    EXPECT_EQ(res::loadString(res::findModule(QStringLiteral("UiTestRes")), 30002),
              QStringLiteral("Test caption"));
    res::removeFromChain(other);

    EXPECT_TRUE(res::loadBitmap(8105).isNull());
    EXPECT_TRUE(res::loadIcon(8103).isNull());
    EXPECT_TRUE(res::animationPath(8102).isEmpty());
}

TEST_F(ResourceTest, DataBlocksAreUsedInPlaceAndNeverFromACompressedCopy) {
    static const std::array<unsigned char, 16> bytes{1, 2, 3};
    auto m = res::registerModule(QStringLiteral("DataModule"));
    res::registerData(m, "DAT", 8104, bytes.data(), bytes.size());
    const res::DataBlock* block = res::findData(m, "DAT", 8104);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->size, 16u);
    EXPECT_EQ(res::lockData(block), bytes.data());

    EXPECT_EQ(res::findData(m, "DAT", 8107), nullptr);
    EXPECT_EQ(res::findData(m, "BIN", 8104), nullptr);
    EXPECT_EQ(res::findData(nullptr, "DAT", 8104), nullptr);

    res::registerData(m, "DAT", 8107, bytes.data(), bytes.size(), /*compressed=*/true);
    ASSERT_NE(res::findData(m, "DAT", 8107), nullptr);
    EXPECT_EQ(res::lockData(res::findData(m, "DAT", 8107)), nullptr);

    res::unregisterData(m, "DAT", 8104);
    EXPECT_EQ(res::findData(m, "DAT", 8104), nullptr);
    res::removeFromChain(m);
}

}  // namespace
