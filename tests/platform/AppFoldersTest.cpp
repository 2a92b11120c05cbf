// State and log folders on Linux follow the XDG base directories.
#include "platform/AppFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace qx4t {
namespace {

// Sets or unsets a variable for the life of this object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(AppFolders, StateHomeThenHomeAndRelativePathsAreIgnored) {
    ScopedVariable home("HOME", "/home/tech");
    {
        ScopedVariable state("XDG_STATE_HOME", "/var/state/tech");
        EXPECT_EQ(stateFolder(), "/var/state/tech/qx4t");
        EXPECT_EQ(logFolder(), "/var/state/tech/qx4t/log");
    }
    {
        ScopedVariable state("XDG_STATE_HOME", "relative/state");
        EXPECT_EQ(stateFolder(), "/home/tech/.local/state/qx4t");
    }
    {
        ScopedVariable state("XDG_STATE_HOME", nullptr);
        EXPECT_EQ(stateFolder(), "/home/tech/.local/state/qx4t");
        ScopedVariable noHome("HOME", nullptr);
        EXPECT_EQ(stateFolder(), "");
        EXPECT_EQ(logFolder(), "") << "no log folder without a state folder";
    }
}

}  // namespace
}  // namespace qx4t
