// The connect page against the in-process simulator on virtual time: the port list, the port
// check, every branch of the connection procedure and the pseudo-progress that ends the step.
#include <gtest/gtest.h>

#include <climits>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>

#include <memory>
#include <optional>

#include "firmware/Images.h"
#include "link/ResultCodes.h"
#include "platform/PendingUpdates.h"
#include "platform/PlcHold.h"
#include "platform/ui/MessageBox.h"
#include "tests/platform/ui/support/UiTestSupport.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/wizard/support/CBaseDlgTestAccess.h"
#include "tests/wizard/support/WizardRig.h"

using qx4t::sim::Fault;
using qx4t::sim::FaultKind;
using qx4t::sim::PlcConfig;
using qx4t::sim::Request;
using qx4t::test::ScriptedMessageBoxes;
using qx4t::test::WizardRig;

namespace {

constexpr unsigned kWarning = MB_OK | MB_ICONEXCLAMATION;
constexpr unsigned kInfo = MB_OK | MB_ICONINFORMATION;
constexpr unsigned kConfirm = MB_OKCANCEL | MB_ICONINFORMATION;
constexpr unsigned kModeQuestion = MB_YESNO | MB_ICONEXCLAMATION;

qx4t::ports::PortInfo port(const char* name, const char* description) {
    return {name, description, "virtual", true};
}

class ConnectPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(QStringLiteral(QX4T_PROGRAM_DIR "/Qx4t_en.so"))) {
            GTEST_SKIP() << "the English language library is not built";
        }
    }

    // A new wizard; the one before is gone first (one frame and one bench at a time).
    WizardRig& fresh() {
        m_rig.reset();
        m_rig = std::make_unique<WizardRig>();
        EXPECT_TRUE(m_rig->ready());
        return *m_rig;
    }

    // Idle: the selection view with the page's and the frame's controls usable.
    static void expectIdle(WizardRig& rig) {
        CConnectDlg& page = rig.connectPage();
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8502);
        EXPECT_TRUE(page.itemShown(8017));
        EXPECT_FALSE(page.itemShown(8024));
        for (int id : {8015, 8016, 8017, 8018}) {
            EXPECT_TRUE(page.itemEnabled(id)) << id;
        }
        for (int id : {8010, 8011, IDCANCEL}) {
            EXPECT_TRUE(rig.frame().itemEnabled(id)) << id;
        }
        EXPECT_TRUE(rig.frame().closeEnabled());
        EXPECT_FALSE(page.timerArmed(CConnectDlg::kProgressTimer));
        EXPECT_EQ(rig.frame().GetComPortPtr()->m_hComm, -1) << "the port is left open";
    }

    std::unique_ptr<WizardRig> m_rig;
};

TEST_F(ConnectPageTest, ListsDescriptionAndPortAndARefreshKeepsTheSelection) {
    WizardRig& rig = fresh();
    std::vector<qx4t::ports::PortInfo> list = {port("pts/90", "TEMLO PLC X"),
                                               port("ttyACM0", "Brevantis E7 USB")};
    rig.ports = [&] { return list; };
    rig.run([&] {
        rig.toConnectPage();
        QComboBox* combo = rig.connectPage().comboBox(8015);
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->itemText(0), QStringLiteral("TEMLO PLC X (pts/90)"));
        EXPECT_EQ(combo->itemText(1), QStringLiteral("Brevantis E7 USB (ttyACM0)"));
        EXPECT_EQ(*rig.frame().GetPortPtr(), L"pts/90");
        EXPECT_FALSE(rig.connectPage().button(8016)->toolTip().isEmpty());

        combo->setCurrentIndex(1);
        list.insert(list.begin(), port("ttyUSB3", "TEMLO PLC new"));
        rig.connectPage().button(8016)->click();
        EXPECT_EQ(combo->count(), 3);
        EXPECT_EQ(combo->currentText(), QStringLiteral("Brevantis E7 USB (ttyACM0)"));
        EXPECT_EQ(*rig.frame().GetPortPtr(), L"ttyACM0");

        // The chosen port is gone: the first entry is chosen.
        list.pop_back();
        rig.connectPage().RefreshPortList();
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(*rig.frame().GetPortPtr(), L"ttyUSB3");
    });
}

TEST_F(ConnectPageTest, NoPlcGivesThePlaceholderEntryAndNextDisabled) {
    WizardRig& rig = fresh();
    rig.ports = [] { return std::vector<qx4t::ports::PortInfo>{}; };
    rig.run([&] {
        rig.toConnectPage();
        CConnectDlg& page = rig.connectPage();
        ASSERT_EQ(page.comboBox(8015)->count(), 1);
        EXPECT_EQ(page.comboBox(8015)->itemText(0), QStringLiteral("No PLC found"));
        EXPECT_FALSE(rig.frame().itemEnabled(8011));
        EXPECT_FALSE(page.itemEnabled(8017));
        EXPECT_FALSE(page.itemEnabled(8018));
        EXPECT_TRUE(rig.frame().GetPortPtr()->empty());
        // Asked anyway (the frame only asks with a port listed): an empty name, no crash.
        EXPECT_TRUE(page.GetSelectPortName().empty());
    });
}

TEST_F(ConnectPageTest, ASelectionOutsideThePortListIsRefusedWithAMessage) {
    WizardRig& rig = fresh();
    std::vector<qx4t::ports::PortInfo> list = {port("pts/90", "TEMLO PLC X")};
    rig.ports = [&] { return list; };
    rig.run([&] {
        rig.toConnectPage();
        CConnectDlg& page = rig.connectPage();
        // The list shows an entry the arrays no longer hold (it vanished after the refresh).
        page.comboBox(8015)->addItem(QStringLiteral("stale"));
        page.comboBox(8015)->setCurrentIndex(1);
        EXPECT_TRUE(page.GetSelectPortName().empty());
        page.comboBox(8015)->setCurrentIndex(-1);
        EXPECT_TRUE(page.GetSelectPortName().empty());

        list.clear();
        ScriptedMessageBoxes boxes;
        boxes.expect(25001, 25002, kWarning);
        rig.connectNext();
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8502);
    });
}

TEST_F(ConnectPageTest, TwoPlcsAreRefusedBeforeAnyPortIsOpened) {
    WizardRig& rig = fresh();
    auto& first = rig.bench.addPlc("pts/90");
    auto& second = rig.bench.addPlc("pts/91", {}, "Brevantis E2");
    rig.run([&] {
        rig.toConnectPage();
        ScriptedMessageBoxes boxes;
        boxes.expect(25017, 25018, kWarning);
        rig.connectNext();
        EXPECT_EQ(first.state().framesReceived, 0);
        EXPECT_EQ(second.state().framesReceived, 0);
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8502);
    });
}

// Each failure of the procedure: the message, then the page back in its idle state with the
// port closed.
TEST_F(ConnectPageTest, FailuresShowTheirMessageAndLeaveThePageIdle) {
    struct Case {
        const char* name;
        PlcConfig config;
        const char* listedPort;  // what discovery lists instead of the PLC, or null
        bool holdPort;           // another link has the port open
        int textId;
        int captionId;
    };
    auto status = [](FaultKind kind) {
        PlcConfig c;
        c.faults = {Fault{kind, Request::Status}};
        return c;
    };
    auto model = [] {
        PlcConfig c;
        c.model = "C0";
        return c;
    };
    auto mode = [](int m) {
        PlcConfig c;
        c.mode = m;
        return c;
    };
    const Case cases[] = {
        {"port in use", {}, nullptr, true, 25022, 25002},
        {"port cannot be opened", {}, "pts/99", false, 25001, 25002},
        {"unsupported model", model(), nullptr, false, 25003, 25004},
        {"no reply", status(FaultKind::NoReply), nullptr, false, 25007, 25008},
        {"error reply", status(FaultKind::ErrorReply), nullptr, false, 25007, 25008},
        {"bad block check", status(FaultKind::WrongBcc), nullptr, false, 25007, 25008},
        {"wrong length", status(FaultKind::WrongLength), nullptr, false, 25007, 25008},
        {"mode 01", mode(0x01), nullptr, false, 25009, 25010},
        {"mode 00", mode(0x00), nullptr, false, 25009, 25010},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardRig& local = fresh();
        auto& plc = local.bench.addPlc("pts/90", c.config);
        if (c.listedPort != nullptr) {
            local.ports = [&] {
                return std::vector<qx4t::ports::PortInfo>{port(c.listedPort, "TEMLO PLC")};
            };
        }
        CComManager other;
        if (c.holdPort) {
            ASSERT_EQ(other.OpenPort(L"pts/90"), 0);
        }
        local.run([&] {
            local.toConnectPage();
            ScriptedMessageBoxes boxes;
            const bool confirms = c.textId == 25009;
            if (confirms) {
                boxes.expect(20018, 20003, kConfirm, IDOK);
            }
            boxes.expect(c.textId, c.captionId, kWarning);
            local.connectNext();
            expectIdle(local);
            EXPECT_EQ(boxes.pending(), 0u);
        });
        EXPECT_EQ(plc.state().entryFrames, 0) << "the update mode was entered";
    }
}

// Permission denied is its own message, not "check the cable": the udev rule, the device's
// group, or a new login, as what the device says would give access.
TEST_F(ConnectPageTest, APortTheUserMayNotOpenGetsItsOwnMessage) {
    using qx4t::serial::DeviceAccess;
    EXPECT_EQ(CConnectDlg::PermissionDeniedText(DeviceAccess{true, "root", false, false}), 26020);
    EXPECT_EQ(CConnectDlg::PermissionDeniedText(DeviceAccess{true, "", false, false}), 26020);
    EXPECT_EQ(CConnectDlg::PermissionDeniedText(DeviceAccess{true, "dialout", true, false}), 26021);
    EXPECT_EQ(CConnectDlg::PermissionDeniedText(DeviceAccess{true, "dialout", true, true}), 26022);

    WizardRig& local = fresh();
    local.bench.addPlc("pts/90", {});
    qx4t::test::FakeSerialPort denied(local.clock);
    denied.failOpen(qx4t::serial::OpenStatus::PermissionDenied, INT_MAX, "Permission denied");
    local.run([&] {
        local.toConnectPage();
        CComManager::SetPortFactory(denied.factory());
        ScriptedMessageBoxes boxes;
        boxes.expect(26020, 26023, kWarning);
        local.connectNext();
        expectIdle(local);
        EXPECT_EQ(boxes.pending(), 0u);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_TRUE(boxes.shown()[0].text.contains(QStringLiteral("/dev/pts/90")))
            << boxes.shown()[0].text.toStdString();
    });
}

// An earlier update of this PLC was noted and never verified: a PLC that does not answer may be
// waiting in its update mode, which is what the user is told, not a plain communication error.
TEST_F(ConnectPageTest, APlcWhoseUpdateWasNeverVerifiedMayWaitInUpdateMode) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.faults = {Fault{FaultKind::NoReply, Request::Status}};
    rig.bench.addPlc("pts/90", config);
    const std::string identity = rig.bench.portInfos().front().identity;
    ASSERT_TRUE(qx4t::PendingUpdates().mark(identity, "pts/90").ok);
    rig.run([&] {
        rig.toConnectPage();
        ScriptedMessageBoxes boxes;
        boxes.expect(26005, 26006, kWarning);
        rig.connectNext();
        expectIdle(rig);
        EXPECT_EQ(boxes.pending(), 0u);
    });
}

TEST_F(ConnectPageTest, VersionsNewerOrTooOldEndTheWizardAndTheOthersAreConfirmed) {
    struct Case {
        const char* version;
        std::optional<int> endingText;  // the message before the wizard ends, or none
        int endingCaption = 0;
        unsigned style = kWarning;
    } cases[] = {
        {"0181", 25005, 25006, kInfo}, {"005F", 25003, 25004, kWarning},
        {"0060", std::nullopt},        {"1180", std::nullopt},  // the first digit takes no part
        {"0180", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        WizardRig& local = fresh();
        PlcConfig config;
        config.version = c.version;
        auto& plc = local.bench.addPlc("pts/90", config);
        ScriptedMessageBoxes boxes;
        if (c.endingText) {
            boxes.expect(*c.endingText, c.endingCaption, c.style);
        } else {
            boxes.expect(20018, 20003, kConfirm, IDCANCEL);
        }
        const int result = local.run([&] {
            local.toConnectPage();
            local.connectNext();
        });
        EXPECT_EQ(boxes.pending(), 0u);
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(plc.state().entryFrames, 0);
        if (!c.endingText) {
            EXPECT_EQ(local.frame().GetCurrentPage(), 8502);
        }
    }
}

TEST_F(ConnectPageTest, TheConfirmationNamesTheSeriesAndBothVersions) {
    struct Case {
        const char* model;
        const char* version;
        QString text;
    } cases[] = {
        {"B0", "0180", QStringLiteral("TR6W/TR6Z|1.80|1.80")},
        {"B1", "0170", QStringLiteral("TR6AW/TR6AZ|1.70|1.80")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        WizardRig& local = fresh();
        PlcConfig config;
        config.model = c.model;
        config.version = c.version;
        local.bench.addPlc("pts/90", config);
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDCANCEL);
        local.run([&] {
            local.toConnectPage();
            local.connectNext();
        });
        ASSERT_EQ(boxes.shown().size(), 1u);
        const QString shown = boxes.shown()[0].text;
        for (const QString& part : c.text.split(QLatin1Char('|'))) {
            EXPECT_TRUE(shown.contains(part)) << shown.toStdString();
        }
        EXPECT_EQ(shown.count(QStringLiteral("1.80")), c.text.count(QStringLiteral("1.80")));
    }
}

TEST_F(ConnectPageTest, DeclinedConfirmationReturnsToTheSelectionView) {
    WizardRig& rig = fresh();
    rig.bench.addPlc("pts/90");
    rig.run([&] {
        rig.toConnectPage();
        rig.connectPage().button(8018)->click();  // the choice is reset with the view
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDCANCEL);
        rig.connectNext();
        expectIdle(rig);
        EXPECT_EQ(rig.connectPage().m_nSkipModeChk, 0);
    });
}

TEST_F(ConnectPageTest, ModeValueDecidesTheModeChangeQuestion) {
    struct Case {
        const char* name;
        int mode;
        std::optional<int> answer;  // the answer to 20013, or no question
        bool entered;
    } cases[] = {
        {"80 asks nothing", 0x80, std::nullopt, true},
        {"81 Yes changes the mode first", 0x81, IDYES, true},
        {"81 No stays idle", 0x81, IDNO, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardRig& local = fresh();
        PlcConfig config;
        config.mode = c.mode;
        auto& plc = local.bench.addPlc("pts/90", config);
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDOK);
        if (c.answer) {
            boxes.expect(20013, 20003, kModeQuestion, *c.answer);
        }
        local.run([&] {
            local.toConnectPage();
            local.connectNext();
            if (c.entered) {
                EXPECT_TRUE(local.runUntil([&] { return local.frame().GetCurrentPage() != 8502; }));
                EXPECT_EQ(local.frame().GetCurrentPage(), 8503);
            } else {
                local.runFor(std::chrono::seconds(10));
                EXPECT_EQ(local.frame().GetCurrentPage(), 8502);
            }
        });
        EXPECT_EQ(boxes.pending(), 0u);
        const auto state = plc.state();
        EXPECT_EQ(state.entryComplete, c.entered);
        EXPECT_EQ((state.mode & 0x10) != 0, c.entered);
        if (c.answer == IDYES) {
            EXPECT_EQ(state.mode & 0x01, 0);
        }
    }
}

// Nothing reaches the PLC's update mode when the tool cannot stand behind it: an image that is
// not the one built (a damaged library file), or a progress note that cannot be written.
TEST_F(ConnectPageTest, NoUpdateModeEntryWithADamagedImageOrWithoutTheNote) {
    const auto built = qx4t::firmware::plainImage();
    std::string damaged(reinterpret_cast<const char*>(built.data), built.size);
    damaged[1000] = static_cast<char>(damaged[1000] ^ 0x01);
    struct Case {
        const char* name;
        bool damageImage;
        bool blockNote;
        int textId;
        int captionId;
    };
    for (const Case& c : {Case{"damaged image", true, false, 26001, 26002},
                          Case{"note cannot be written", false, true, 26003, 26004}}) {
        SCOPED_TRACE(c.name);
        WizardRig& rig = fresh();
        PlcConfig config;
        config.model = "B0";  // the plain image
        auto& plc = rig.bench.addPlc("pts/90", config);
        // Without the machine's folder of notes the account keeps its own, in its state folder.
        const QString notes = QString::fromStdString(qx4t::defaultNotesFolder());
        if (c.blockNote) {
            ASSERT_TRUE(QDir(notes).removeRecursively());
            // A file where the note's folder belongs: no one, root included, can write there.
            QFile blocker(QString::fromStdString(qx4t::defaultStateFolder()));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(blocker).path()));
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        rig.run([&] {
            rig.toConnectPage();
            if (c.damageImage) {
                CBaseDlgTestAccess::SetPlainImage(rig.frame(), damaged.data(), damaged.size());
            }
            ScriptedMessageBoxes boxes;
            boxes.expect(20018, 20003, kConfirm, IDOK);
            boxes.expect(c.textId, c.captionId, kWarning);
            if (c.blockNote) {
                // The cause in the wizard's words and the folder that is not one; the system's
                // words are for the log.
                const std::string folder = qx4t::defaultStateFolder();
                boxes.withText(qx4t::ui::formatString(
                    26003, {qx4t::ui::formatString(26043), QString::fromStdString(folder)}));
            }
            rig.connectNext();
            EXPECT_EQ(boxes.pending(), 0u);
            EXPECT_EQ(rig.frame().GetComPortPtr()->m_hComm, -1) << "the port is left open";
            rig.runFor(std::chrono::seconds(10));
            EXPECT_NE(rig.frame().GetCurrentPage(), 8503);
            EXPECT_NE(rig.frame().GetCurrentPage(), 8504);
        });
        EXPECT_EQ(plc.state().entryFrames, 0) << "the update mode was entered";
        EXPECT_EQ(plc.state().version, "0170");
        ASSERT_TRUE(QDir().mkpath(notes));
    }
}

TEST_F(ConnectPageTest, AFailureInTheUpdateModeEntryIsToldAndNothingMovesOn) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.faults = {Fault{FaultKind::ErrorReply, Request::UpdateEntry, 5, 1}};
    rig.bench.addPlc("pts/90", config);
    rig.run([&] {
        rig.toConnectPage();
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDOK);
        boxes.expect(25007, 25008, kWarning);
        rig.connectNext();
        expectIdle(rig);
        rig.runFor(std::chrono::seconds(10));
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8502);
    });
}

// Another PLC takes the port's name after the status read, while the user answers: before the
// mode change and before the update-mode entry the port opened is checked, and the other PLC
// gets nothing; the PLC that was checked was not put into its update mode and has no note.
TEST_F(ConnectPageTest, AnotherPlcOnThePortAfterTheStatusReadGetsNothing) {
    for (const int mode : {0x81, 0x80}) {
        SCOPED_TRACE(mode);
        WizardRig& local = fresh();
        PlcConfig config;
        config.mode = mode;
        auto& checked = local.bench.addPlc("pts/90", config);
        qx4t::sim::PlcCore* other = nullptr;
        local.ports = [&] {
            if (other == nullptr && checked.state().framesReceived > 0) {
                local.bench.unplug(checked);
                other = &local.bench.addPlc("pts/90");
            }
            return local.bench.portInfos();
        };
        const std::string key = local.bench.portInfos().front().identity;
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDOK);
        if (mode == 0x81)
            boxes.expect(20013, 20003, kModeQuestion, IDYES);
        boxes.expect(26011, 26008, kWarning);
        local.run([&] {
            local.toConnectPage();
            local.connectNext();
            expectIdle(local);
        });
        EXPECT_EQ(boxes.pending(), 0u);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->state().framesReceived, 0);
        EXPECT_EQ(checked.state().entryFrames, 0);
        EXPECT_EQ(qx4t::PendingUpdates().isMarked(key), false);
    }
}

// Another tool (qx4t-vup of the fleet account) holds the PLC: the page names it, sends nothing
// and stays idle; the wizard's own hold goes again when an attempt ends before the entry.
TEST_F(ConnectPageTest, APlcHeldByAnotherToolIsLeftAlone) {
    WizardRig& rig = fresh();
    auto& plc = rig.bench.addPlc("pts/90");
    const std::string key = rig.bench.portInfos().front().identity;
    qx4t::PlcHold fleet;
    ASSERT_EQ(fleet.acquire(qx4t::defaultPlcHoldFolder(), key, "qx4t-vup"),
              qx4t::PlcHold::Status::Held);
    rig.run([&] {
        rig.toConnectPage();
        ScriptedMessageBoxes boxes;
        boxes.expect(26012, 26013, kWarning);
        rig.connectNext();
        expectIdle(rig);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_TRUE(boxes.shown()[0].text.contains(QStringLiteral("qx4t-vup (pid ")));
        fleet.release();
        boxes.expect(20018, 20003, kConfirm, IDCANCEL);
        rig.connectNext();
        expectIdle(rig);
        EXPECT_EQ(boxes.pending(), 0u);
    });
    EXPECT_EQ(plc.state().entryFrames, 0);
    EXPECT_EQ(fleet.acquire(qx4t::defaultPlcHoldFolder(), key, "qx4t-vup"),
              qx4t::PlcHold::Status::Held)
        << "the wizard kept the PLC after the user declined";
}

TEST_F(ConnectPageTest, APlcAlreadyInTheUpdateModeFillsTheBarAndKeepsThePortOpen) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.mode = 0x90;
    auto& plc = rig.bench.addPlc("pts/90", config);
    rig.run([&] {
        rig.toConnectPage();
        ScriptedMessageBoxes boxes;  // nothing is asked
        rig.connectNext();
        EXPECT_EQ(rig.connectPage().progressBar(8024)->value(), 100);
        EXPECT_NE(rig.frame().GetComPortPtr()->m_hComm, -1);
        EXPECT_EQ(plc.state().framesReceived, 1);
        // An update under way from here on: no later run may take this PLC for untouched.
        EXPECT_EQ(qx4t::PendingUpdates().isMarked(rig.bench.portInfos().front().identity),
                  std::optional<bool>(true));
        rig.runFor(CConnectDlg::kProgressPeriod);
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8503);
        EXPECT_NE(rig.frame().GetComPortPtr()->m_hComm, -1);
        rig.frame().GetComPortPtr()->ClosePort();
    });
}

// The step ends after the bar is full and ConnectPlc has returned, never before: a slow PLC
// makes the entry outlast the ten ticks.
TEST_F(ConnectPageTest, TheStepEndsOnlyAfterTheProcedureHasReturned) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.replyDelay = std::chrono::milliseconds(300);
    rig.bench.addPlc("pts/90", config);
    rig.run([&] {
        rig.toConnectPage();
        std::vector<int> bar;
        QObject::connect(rig.connectPage().progressBar(8024), &QProgressBar::valueChanged,
                         [&](int v) { bar.push_back(v); });
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDOK);
        const auto start = rig.clock.now();
        rig.connectNext();
        EXPECT_GT(rig.clock.now() - start, std::chrono::seconds(6));
        // Still on the page, the bar full, waiting for the next tick.
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8502);
        EXPECT_EQ(rig.connectPage().progressBar(8024)->value(), 100);
        EXPECT_FALSE(rig.connectPage().itemShown(8017));
        rig.runFor(CConnectDlg::kProgressPeriod);
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8503);
        ASSERT_FALSE(bar.empty());
        for (std::size_t i = 1; i < bar.size(); ++i) {
            if (bar[i] != 0) {
                EXPECT_EQ(bar[i], bar[i - 1] + 10) << i;
            }
        }
    });
}

// Minimising and restoring the wizard while it talks to the PLC gives nothing back to the
// user: the window system's show and hide of the page are not the frame's page changes.
TEST_F(ConnectPageTest, MinimisingDuringTheConnectionKeepsTheControlsLocked) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.replyDelay = std::chrono::milliseconds(300);
    rig.bench.addPlc("pts/90", config);
    rig.run([&] {
        rig.toConnectPage();
        CConnectDlg& page = rig.connectPage();
        std::optional<bool> nextAfterRestore;
        std::optional<bool> listAfterRestore;
        std::optional<bool> radioAfterRestore;
        QObject::connect(page.progressBar(8024), &QProgressBar::valueChanged, [&](int v) {
            if (v == 30 && !nextAfterRestore) {
                rig.frame().setWindowState(Qt::WindowMinimized);
                rig.frame().setWindowState(Qt::WindowNoState);
                nextAfterRestore = rig.frame().itemEnabled(8011);
                listAfterRestore = page.itemEnabled(8015);
                radioAfterRestore = page.itemEnabled(8017);
            }
        });
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDOK);
        rig.connectNext();
        ASSERT_TRUE(nextAfterRestore.has_value());
        EXPECT_FALSE(*nextAfterRestore);
        EXPECT_FALSE(*listAfterRestore);
        EXPECT_FALSE(*radioAfterRestore);
        EXPECT_TRUE(rig.runUntil([&] { return rig.frame().GetCurrentPage() != 8502; }));
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8503);
    });
}

TEST_F(ConnectPageTest, TheSkipChoiceLeadsStraightToTheVersionUpPage) {
    WizardRig& rig = fresh();
    rig.bench.addPlc("pts/90");
    rig.run([&] {
        rig.toConnectPage();
        rig.connectPage().button(8018)->click();
        ScriptedMessageBoxes boxes;
        boxes.expect(20018, 20003, kConfirm, IDOK);
        rig.connectNext();
        EXPECT_TRUE(rig.runUntil([&] { return rig.frame().GetCurrentPage() != 8502; }));
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8504);
    });
}

}  // namespace
