// The version-up page against the in-process simulator on virtual time: the confirmation, the
// image by model, the transfer and its failures, the restart poll with Retry, the outcome.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QProgressBar>

#include <memory>
#include <optional>

#include "common/Languages.h"
#include "firmware/Images.h"
#include "platform/PendingUpdates.h"
#include "tests/platform/ui/support/UiTestSupport.h"
#include "tests/wizard/support/WizardRig.h"

using qx4t::sim::Fault;
using qx4t::sim::FaultKind;
using qx4t::sim::PlcConfig;
using qx4t::sim::Request;
using qx4t::test::ScriptedMessageBoxes;
using qx4t::test::WizardRig;

namespace {

constexpr unsigned kWarning = MB_OK | MB_ICONEXCLAMATION;
constexpr unsigned kConfirm = MB_OKCANCEL | MB_ICONINFORMATION;
constexpr unsigned kStartQuestion = MB_YESNO | MB_ICONEXCLAMATION;
constexpr unsigned kRetryQuestion = MB_RETRYCANCEL | MB_ICONEXCLAMATION;

struct BarSample {
    int position;
    int percent;  // the link's progress when the bar moved
};

class VerupPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(QStringLiteral(QX4T_PROGRAM_DIR "/Qx4t_en.so"))) {
            GTEST_SKIP() << "the English language library is not built";
        }
    }

    WizardRig& fresh(int language = 0) {
        m_rig.reset();
        m_rig = std::make_unique<WizardRig>(language);
        EXPECT_TRUE(m_rig->ready());
        return *m_rig;
    }

    // Through the connect page (skipping the mode check page) to the version-up page.
    static void toVerupPage(WizardRig& rig) {
        rig.toConnectPage();
        rig.connectPage().button(8018)->click();
        ScriptedMessageBoxes boxes;
        if (!qx4t::IsUpdateMode(
                QString::number(rig.bench.plc("pts/90")->state().mode, 16).toStdWString())) {
            boxes.expect(20018, 20003, kConfirm, IDOK);
        }
        rig.connectNext();
        ASSERT_TRUE(rig.runUntil([&] { return rig.frame().GetCurrentPage() != 8502; }));
        ASSERT_EQ(rig.frame().GetCurrentPage(), 8504);
    }

    // The frame has ended the wizard, or shows the finish page.
    static bool over(WizardRig& rig) {
        return rig.wizardEnded() || rig.frame().GetCurrentPage() == 8505;
    }

    std::unique_ptr<WizardRig> m_rig;
};

// The whole version-up for each model: the right image arrives intact, the bar goes through its
// phases, the finish page shows both versions.
TEST_F(VerupPageTest, AWholeVersionUpForEachModel) {
    for (const char* model : {"B0", "B1"}) {
        SCOPED_TRACE(model);
        WizardRig& rig = fresh();
        PlcConfig config;
        config.model = model;
        // Back before the first poll, so the bar goes from 80 straight to 100.
        config.restartTime = std::chrono::seconds(5);
        // Slow enough acknowledgements for timer 3 to see the bar creep and every percent.
        config.replyDelay = std::chrono::seconds(3);
        auto& plc = rig.bench.addPlc("pts/90", config);
        std::vector<BarSample> bar;
        rig.run([&] {
            toVerupPage(rig);
            CVerupDlg& page = rig.verupPage();
            EXPECT_TRUE(page.itemText(8026).contains(QStringLiteral("1.70")));
            EXPECT_TRUE(page.itemText(8026).contains(QStringLiteral("1.80")));
            EXPECT_TRUE(page.itemShown(8040));
            QObject::connect(page.progressBar(8028), &QProgressBar::valueChanged, [&](int v) {
                bar.push_back({v, page.m_nProgress});
            });
            ScriptedMessageBoxes boxes;
            boxes.expect(20006, 20003, kStartQuestion, IDYES);
            boxes.expect(20011, 20012, MB_OK | MB_ICONINFORMATION);
            rig.verupNext();
            EXPECT_FALSE(rig.frame().itemEnabled(8011));
            EXPECT_FALSE(rig.frame().itemEnabled(IDCANCEL));
            EXPECT_FALSE(rig.frame().closeEnabled());
            EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
            EXPECT_EQ(rig.frame().GetCurrentPage(), 8505);
            EXPECT_FALSE(page.itemShown(8040));
            QStringList texts;
            for (QLabel* l : rig.page(8505).findChildren<QLabel*>()) {
                texts << l->text();
            }
            const QString all = texts.join(QLatin1Char('\n'));
            EXPECT_TRUE(all.contains(QStringLiteral("1.70"))) << all.toStdString();
            EXPECT_TRUE(all.contains(QStringLiteral("1.80"))) << all.toStdString();
            EXPECT_EQ(boxes.pending(), 0u);
        });
        const auto state = plc.state();
        ASSERT_TRUE(state.imageIntact.has_value());
        EXPECT_TRUE(*state.imageIntact);
        EXPECT_EQ(state.version, "0180");

        ASSERT_FALSE(bar.empty());
        EXPECT_EQ(bar.front().position, 15);
        EXPECT_EQ(bar.back().position, 100);
        std::size_t i = 1;
        for (; i < bar.size() && bar[i].percent == 0 && bar[i].position <= 30; ++i) {
            EXPECT_EQ(bar[i].position, bar[i - 1].position + 1);
        }
        EXPECT_GE(i, 3u) << "the bar did not creep before the first percent";
        const std::size_t transferStart = i;
        for (; i < bar.size() && bar[i].position < 70; ++i) {
            EXPECT_EQ(bar[i].position, static_cast<int>(30 + bar[i].percent * 40 / 100.0)) << i;
        }
        EXPECT_GE(i - transferStart, 20u) << "the bar did not follow the transfer";
        EXPECT_GE(bar[i - 1].position, 65);
        EXPECT_LE(bar[i - 1].position, 67);
        ASSERT_LT(i, bar.size());
        EXPECT_EQ(bar[i].position, 70);
        for (++i; i < bar.size() && bar[i].position <= 80; ++i) {
            EXPECT_EQ(bar[i].position, bar[i - 1].position + 1);
        }
        ASSERT_LT(i, bar.size());
        EXPECT_EQ(bar[i].position, 100);
    }
}

TEST_F(VerupPageTest, NoInTheStartQuestionLeavesEverythingAsItWas) {
    WizardRig& rig = fresh();
    auto& plc = rig.bench.addPlc("pts/90");
    rig.run([&] {
        toVerupPage(rig);
        const long frames = plc.state().framesReceived;
        CVerupDlg& page = rig.verupPage();
        const QString status = page.itemText(8027);
        const int position = page.progressBar(8028)->value();
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDNO);
        rig.verupNext();
        rig.runFor(std::chrono::seconds(30));
        EXPECT_TRUE(rig.frame().itemEnabled(8011));
        EXPECT_TRUE(rig.frame().itemEnabled(IDCANCEL));
        EXPECT_EQ(page.progressBar(8028)->value(), position);
        EXPECT_EQ(page.itemText(8027), status);
        for (int id = 2; id <= 6; ++id) {
            EXPECT_FALSE(page.timerArmed(id)) << id;
        }
        EXPECT_EQ(plc.state().framesReceived, frames);
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8504);
    });
}

// Every failure: one message, the timers stopped, the wizard ends; the port closed.
TEST_F(VerupPageTest, FailuresAreToldAndEndTheWizard) {
    struct Case {
        const char* name;
        std::vector<Fault> faults;
        const char* model;       // put into the frame's record after the connect page
        const char* newVersion;  // what the image installs
        int textId;
        int captionId;
    } cases[] = {
        {"model not in the table", {}, "C9", "0180", 25003, 25004},
        {"status read before the transfer",
         {Fault{FaultKind::NoReply, Request::Status, 1, 1}},
         nullptr,
         "0180",
         25013,
         25014},
        {"silence from block 5",
         {Fault{FaultKind::SilenceFromBlock, Request::Image, 5}},
         nullptr,
         "0180",
         25013,
         25014},
        {"a wrong acknowledgement",
         {Fault{FaultKind::WrongAck, Request::Image, 2, 1}},
         nullptr,
         "0180",
         25013,
         25014},
        {"0170 after the restart", {}, nullptr, "0170", 25013, 25014},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardRig& rig = fresh();
        PlcConfig config;
        config.faults = c.faults;
        config.newVersion = c.newVersion;
        auto& plc = rig.bench.addPlc("pts/90", config);
        long framesBefore = 0;
        const int result = rig.run([&] {
            toVerupPage(rig);
            if (c.model != nullptr) {
                rig.frame().GetPlcStatusPtr()->strModel =
                    QString::fromLatin1(c.model).toStdWString();
            }
            framesBefore = plc.state().framesReceived;
            ScriptedMessageBoxes boxes;
            boxes.expect(20006, 20003, kStartQuestion, IDYES);
            boxes.expect(c.textId, c.captionId, kWarning);
            rig.verupNext();
            EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
            EXPECT_EQ(boxes.pending(), 0u);
            for (int id = 2; id <= 6; ++id) {
                EXPECT_FALSE(rig.verupPage().timerArmed(id)) << id;
            }
            EXPECT_EQ(rig.frame().GetComPortPtr()->m_hComm, -1);
        });
        EXPECT_EQ(result, IDCANCEL);
        if (c.model != nullptr) {
            EXPECT_EQ(plc.state().framesReceived, framesBefore) << "the port was used";
        }
    }
}

TEST_F(VerupPageTest, InTheUpdateModeTheImageGoesOverThePortLeftOpen) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.mode = 0x90;
    auto& plc = rig.bench.addPlc("pts/90", config);
    rig.run([&] {
        toVerupPage(rig);
        ASSERT_NE(rig.frame().GetComPortPtr()->m_hComm, -1);
        const int reads = rig.statusReads(plc);
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(20011, 20012, MB_OK | MB_ICONINFORMATION);
        rig.verupNext();
        EXPECT_TRUE(rig.runUntil([&] { return plc.state().imageIntact.has_value(); },
                                 std::chrono::hours(2)));
        EXPECT_EQ(rig.statusReads(plc), reads) << "the status was read before the image";
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::minutes(2)));
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8505);
        EXPECT_EQ(rig.frame().GetComPortPtr()->m_hComm, -1);
    });
}

// While the updated PLC restarts, another PLC already at 1.80 takes its old name: the polls
// follow the updated PLC to its new name and find 1.75 there, never the other PLC's 1.80.
TEST_F(VerupPageTest, OnlyThePlcThatWasUpdatedIsVerified) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.faults = {Fault{FaultKind::NewNameAfterRestart, Request::Any}};
    config.newVersion = "0175";
    auto& updated = rig.bench.addPlc("pts/90", config);
    qx4t::sim::PlcCore* other = nullptr;
    rig.ports = [&] {
        if (!other && rig.bench.portNameOf(updated) != "pts/90") {
            PlcConfig newer;
            newer.version = "0180";
            other = &rig.bench.addPlc("pts/90", newer);
        }
        return rig.bench.portInfos();
    };
    rig.run([&] {
        toVerupPage(rig);
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(25013, 25014, MB_OK | MB_ICONEXCLAMATION);
        rig.verupNext();
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
        EXPECT_EQ(boxes.pending(), 0u);
    });
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->state().framesReceived, 0) << "the other PLC was never asked";
    EXPECT_EQ(updated.state().version, "0175");
}

// While the updated PLC restarts, a PLC of another model comes up with its identity (two
// simulators given one id): it answers 1.80, but another model is another PLC, so it is never
// taken for the updated one; the round ends with the other-PLC message and the question.
TEST_F(VerupPageTest, AnotherModelUnderTheSameIdentityIsNeverVerified) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.faults = {Fault{FaultKind::NewNameAfterRestart, Request::Any}};
    auto& updated = rig.bench.addPlc("pts/90", config);
    qx4t::sim::PlcCore* other = nullptr;
    rig.ports = [&] {
        if (!other && rig.bench.portNameOf(updated) != "pts/90") {
            rig.bench.unplug(updated);
            PlcConfig plain;
            plain.model = "B0";
            plain.version = "0180";
            other = &rig.bench.addPlc("pts/90", plain);
            rig.bench.setVirtualId(*other, "bench-0");
        }
        return rig.bench.portInfos();
    };
    rig.run([&] {
        toVerupPage(rig);
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(26007, 26008, MB_OK | MB_ICONEXCLAMATION);
        boxes.expect(25011, 25012, MB_RETRYCANCEL | MB_ICONEXCLAMATION, IDCANCEL);
        rig.verupNext();
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
        EXPECT_EQ(boxes.pending(), 0u);
    });
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->state().entryFrames, 0);
}

// A PLC that never comes back: 11 polls (the bar from 80 to 90), the question; Retry gives 11
// more at 90; Cancel ends the wizard.
TEST_F(VerupPageTest, APlcThatNeverAnswersIsPolledElevenTimesPerRound) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.faults = {Fault{FaultKind::NoReply, Request::Status, 2}};
    config.restartTime = std::chrono::milliseconds(100);
    auto& plc = rig.bench.addPlc("pts/90", config);
    const int result = rig.run([&] {
        toVerupPage(rig);
        CVerupDlg& page = rig.verupPage();
        int readsAtFirstQuestion = -1;
        int barAtQuestion = -1;
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(25011, 25012, kRetryQuestion, IDRETRY);
        boxes.expect(25011, 25012, kRetryQuestion, IDCANCEL);
        rig.verupNext();
        ASSERT_TRUE(rig.runUntil([&] { return boxes.shown().size() == 2; }, std::chrono::hours(2)));
        readsAtFirstQuestion = rig.statusReads(plc);
        barAtQuestion = page.progressBar(8028)->value();
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::minutes(10)));
        EXPECT_EQ(boxes.pending(), 0u);
        // One read before the transfer, then the polls.
        EXPECT_EQ(readsAtFirstQuestion, 2 + 11);
        EXPECT_EQ(rig.statusReads(plc), 2 + 22);
        EXPECT_EQ(barAtQuestion, 90);
        EXPECT_EQ(page.progressBar(8028)->value(), 90);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// The PLC's line hangs up as the last byte arrives (it restarts, its USB port re-enumerates): the
// image is whole, so that is no failure; the polls find the PLC under its new name at 1.80.
TEST_F(VerupPageTest, AHangUpRightAfterTheLastBlockStillEndsInSuccess) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.faults = {Fault{FaultKind::HangUpAfterImage}};
    config.restartTime = std::chrono::seconds(5);
    auto& plc = rig.bench.addPlc("pts/90", config);
    rig.run([&] {
        toVerupPage(rig);
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(20011, 20012, MB_OK | MB_ICONINFORMATION);
        rig.verupNext();
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8505);
        EXPECT_EQ(boxes.pending(), 0u);
    });
    EXPECT_EQ(plc.state().version, "0180");
    EXPECT_NE(rig.bench.portNameOf(plc), "pts/90");
}

// A PLC that answers its polls still in the update mode has not started with the new firmware:
// it is told so, not as a PLC that does not answer, and its update stays noted as unverified.
TEST_F(VerupPageTest, APlcStillInUpdateModeAfterTheRestartIsToldSo) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.faults = {Fault{FaultKind::StaysInUpdateMode}};
    config.restartTime = std::chrono::milliseconds(100);
    auto& plc = rig.bench.addPlc("pts/90", config);
    const std::string identity = rig.bench.portInfos().front().identity;
    const int result = rig.run([&] {
        toVerupPage(rig);
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(26009, 26010, kRetryQuestion, IDRETRY);
        boxes.expect(26009, 26010, kRetryQuestion, IDCANCEL);
        rig.verupNext();
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
        EXPECT_EQ(boxes.pending(), 0u);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(plc.state().version, "0170");
    EXPECT_EQ(qx4t::PendingUpdates().isMarked(identity), std::optional<bool>(true));
}

// A poll tick that comes while the previous poll still waits for a slow PLC does nothing: the
// link is never opened a second time under the read, and each poll reads once.
TEST_F(VerupPageTest, APollTickDuringASlowPollDoesNotTouchTheLink) {
    WizardRig& rig = fresh();
    PlcConfig config;
    config.restartTime = std::chrono::seconds(5);         // back for the first poll
    config.replyDelay = std::chrono::milliseconds(2500);  // two more ticks during each read
    auto& plc = rig.bench.addPlc("pts/90", config);
    rig.run([&] {
        toVerupPage(rig);
        const int readsBefore = rig.statusReads(plc);
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(20011, 20012, MB_OK | MB_ICONINFORMATION);
        rig.verupNext();
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8505);
        EXPECT_EQ(boxes.pending(), 0u);
        // One read before the image, one poll after it.
        EXPECT_EQ(rig.statusReads(plc), readsBefore + 2);
    });
    EXPECT_TRUE(plc.state().violations.empty());
}

// Minimising and restoring the wizard during the version-up leaves the page telling what it
// is doing; only the frame's page change fills in the texts of a page not yet started.
TEST_F(VerupPageTest, MinimisingDuringTheVersionUpKeepsTheStatusLines) {
    WizardRig& rig = fresh();
    rig.bench.addPlc("pts/90");
    rig.run([&] {
        toVerupPage(rig);
        CVerupDlg& page = rig.verupPage();
        ScriptedMessageBoxes boxes;
        boxes.expect(20006, 20003, kStartQuestion, IDYES);
        boxes.expect(20011, 20012, MB_OK | MB_ICONINFORMATION);
        rig.verupNext();
        ASSERT_TRUE(rig.runUntil([&] { return page.timerArmed(CVerupDlg::kCreepTimer); },
                                 std::chrono::hours(2)));
        const QString status = page.itemText(8027);
        const QString warning = page.itemText(8040);
        rig.frame().setWindowState(Qt::WindowMinimized);
        rig.frame().setWindowState(Qt::WindowNoState);
        EXPECT_EQ(page.itemText(8027).toStdString(), status.toStdString());
        EXPECT_EQ(page.itemText(8040).toStdString(), warning.toStdString());
        EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
        EXPECT_EQ(rig.frame().GetCurrentPage(), 8505);
    });
}

// What the user sees on both pages, in English and Japanese, for the record and for review.
TEST_F(VerupPageTest, ScreenshotsOfTheConnectAndVersionUpPages) {
    for (int language = 0; language < qx4t::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const std::string_view code = qx4t::FindLanguage(language)->code;
        const std::string_view file = qx4t::languageLibraryName(language);
        const QString tag = QString::fromLatin1(code.data(), std::ssize(code));
        if (!QFile::exists(QStringLiteral(QX4T_PROGRAM_DIR "/") +
                           QString::fromLatin1(file.data(), std::ssize(file)))) {
            continue;
        }
        WizardRig& rig = fresh(language);
        PlcConfig config;
        config.replyDelay = std::chrono::seconds(1);
        rig.bench.addPlc("pts/90", config);
        const QString base = qx4t::test::screenshotDir() + QStringLiteral("/pages_") + tag;
        bool grabbed = false;
        rig.run([&] {
            rig.toConnectPage();
            EXPECT_TRUE(rig.frame().grab().save(base + QStringLiteral("_connect_selection.png")));
            CConnectDlg& connect = rig.connectPage();
            QObject::connect(connect.progressBar(8024), &QProgressBar::valueChanged, [&](int v) {
                if (v == 40) {
                    EXPECT_TRUE(
                        rig.frame().grab().save(base + QStringLiteral("_connect_progress.png")));
                }
            });
            rig.connectPage().button(8018)->click();
            ScriptedMessageBoxes boxes;
            boxes.expect(20018, 20003, kConfirm, IDOK);
            boxes.expect(20006, 20003, kStartQuestion, IDYES);
            boxes.expect(20011, 20012, MB_OK | MB_ICONINFORMATION);
            rig.connectNext();
            ASSERT_TRUE(rig.runUntil([&] { return rig.frame().GetCurrentPage() == 8504; }));
            CVerupDlg& verup = rig.verupPage();
            QObject::connect(verup.progressBar(8028), &QProgressBar::valueChanged, [&](int v) {
                if (v >= 50 && !grabbed) {
                    grabbed = true;
                    EXPECT_TRUE(
                        rig.frame().grab().save(base + QStringLiteral("_verup_transfer.png")));
                }
            });
            rig.verupNext();
            EXPECT_TRUE(rig.runUntil([&] { return over(rig); }, std::chrono::hours(2)));
        });
        EXPECT_TRUE(grabbed);
    }
}

}  // namespace
