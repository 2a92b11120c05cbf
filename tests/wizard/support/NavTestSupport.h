#pragma once
// Opens the real frame in a language of this build from a scratch program folder, with the
// pages' PLC answers played by doubles, on virtual time.
#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/ports/PortEnumerator.h"
#include "platform/ui/VirtualTime.h"
#include "tests/platform/ui/support/UiTestSupport.h"
#include "tests/wizard/support/CBaseDlgTestAccess.h"
#include "wizard/frame/BaseDlg.h"

namespace qx4t::test {

inline constexpr int kEnglish = 0;
inline constexpr int kJapanese = 1;

// Every language library of the table leaves the resource chain, so that the next test's
// library, loaded again, is the one found first.
void forgetLanguageLibraries();

class NavTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Copies the language library of this build into the program folder; false (the test is
    // skipped) when the build did not make it.
    bool installLanguage(int language);
    // Runs the frame modally; body runs inside the modal loop. When the body returns true the
    // frame is then cancelled; when false the body has ended the wizard itself.
    static int runFrame(CBaseDlg& dlg, const std::function<bool(CBaseDlg&)>& body);
    // The ports that discovery reports from now on.
    void setPorts(std::vector<ports::PortInfo> list);

    // Page doubles: what the connect and version-up pages answer, and how often they were asked.
    struct Doubles {
        std::wstring selectedPort = L"pts/3";
        bool portOk = true;
        // What ConnectPlc does before it answers: nothing, or report the end of the step.
        std::optional<unsigned long> connectReports = 1;
        bool connectResult = true;
        std::optional<unsigned long> verupReports = 1;
        int connectCalls = 0;
        int checkCalls = 0;
        int startCalls = 0;
        std::wstring portAtStart;  // the frame's port name when StartVersionUp was called
    };
    void useDoubles(CBaseDlg& dlg);

    // Moves the frame from the disclaimer to the page with the doubles' help.
    static void walkTo(CBaseDlg& d, int page);
    static ui::Dialog* page(CBaseDlg& d, int id) { return CBaseDlgTestAccess::Page(d, id); }
    // Where the screenshots go: the build folder under ctest.
    static QString screenshotPath(const QString& name);

    QTemporaryDir folder;
    VirtualClock clock;
    std::optional<ui::VirtualTime> time;
    ScriptedMessageBoxes boxes;
    Doubles doubles;
};

}  // namespace qx4t::test
