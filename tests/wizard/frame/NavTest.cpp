// Moving between the pages: every transition, the buttons of each page, Cancel and its
// warning, Top, the page messages, the Next handling of the connect and version-up pages.
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "link/PortList.h"
#include "platform/text/Utf8.h"
#include "platform/ui/RunLogFolder.h"
#include "platform/ui/Timers.h"
#include "tests/wizard/support/NavTestSupport.h"
#include "wizard/pages/ConnectDlg.h"

namespace qx4t::test {
namespace {

constexpr int kBack = 8010;
constexpr int kNext = 8011;
constexpr int kTop = 8012;
constexpr unsigned kWarning = MB_OK | MB_ICONEXCLAMATION;

struct Buttons {
    bool backShown, backEnabled, nextShown, nextEnabled, cancelShown, cancelEnabled, topShown,
        topEnabled, okShown, okEnabled;
};

void expectButtons(CBaseDlg& d, const Buttons& b) {
    const struct {
        int id;
        bool shown, enabled;
    } rows[] = {{kBack, b.backShown, b.backEnabled},
                {kNext, b.nextShown, b.nextEnabled},
                {IDCANCEL, b.cancelShown, b.cancelEnabled},
                {kTop, b.topShown, b.topEnabled},
                {IDOK, b.okShown, b.okEnabled}};
    for (const auto& r : rows) {
        EXPECT_EQ(d.itemShown(r.id), r.shown) << "button " << r.id;
        EXPECT_EQ(d.itemEnabled(r.id), r.enabled) << "button " << r.id;
    }
    // The window's close button and Escape follow Cancel.
    EXPECT_EQ(d.closeEnabled(), b.cancelEnabled);
}

void sendKey(QWidget* target, int key) {
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

class NavigationTest : public NavTest {
protected:
    void SetUp() override {
        NavTest::SetUp();
        if (!installLanguage(kEnglish)) {
            GTEST_SKIP() << "the English library is not built";
        }
    }
};

TEST_F(NavigationTest, TheForwardWalkShowsEachPageWithItsButtonsFocusAndStepList) {
    CBaseDlg dlg(kEnglish);
    useDoubles(dlg);
    const int result = runFrame(dlg, [&](CBaseDlg& d) {
        // Disclaimer: no step list, Next is the default button.
        EXPECT_EQ(d.GetCurrentPage(), 8507);
        expectButtons(d, {false, false, true, false, true, true, false, false, false, false});
        for (int id : {8000, 8004, 8005, 8009, 8029, 8032}) {
            EXPECT_FALSE(d.itemShown(id)) << id;
        }
        EXPECT_EQ(d.defaultButton(), kNext);

        d.OnBnClickedNext();
        EXPECT_EQ(d.GetCurrentPage(), 8501);
        for (int id : {8000, 8004, 8005, 8009, 8029, 8032}) {
            EXPECT_TRUE(d.itemShown(id)) << id;
        }
        expectButtons(d, {false, false, true, false, true, true, false, false, false, false});
        EXPECT_EQ(d.focusWidget(), d.item(IDCANCEL));
        EXPECT_EQ(d.defaultButton(), kNext);

        d.OnBnClickedNext();
        EXPECT_EQ(d.GetCurrentPage(), 8502);
        expectButtons(d, {true, true, true, true, true, true, false, false, false, false});

        // The connect page reports the end of its step from inside ConnectPlc.
        d.OnBnClickedNext();
        EXPECT_EQ(doubles.connectCalls, 1);
        EXPECT_EQ(*d.GetPortPtr(), L"pts/3");
        EXPECT_EQ(d.GetCurrentPage(), 8503);
        expectButtons(d, {false, false, true, false, true, true, false, false, false, false});

        d.OnBnClickedNext();
        EXPECT_EQ(d.GetCurrentPage(), 8504);
        expectButtons(d, {false, false, true, true, true, true, false, false, false, false});
        EXPECT_EQ(d.focusWidget(), d.item(kNext));

        d.OnBnClickedNext();
        EXPECT_EQ(doubles.startCalls, 1);
        EXPECT_EQ(d.GetCurrentPage(), 8505);
        expectButtons(d, {false, false, false, false, false, false, true, true, true, true});
        EXPECT_EQ(d.defaultButton(), IDOK);
        EXPECT_EQ(d.focusWidget(), d.item(IDOK));

        for (int id : {8507, 8501, 8502, 8503, 8504, 8505}) {
            EXPECT_EQ(page(d, id)->isVisible(), id == 8505) << id;
        }
        // Enter presses OK: the wizard ends with IDOK.
        sendKey(d.focusWidget(), Qt::Key_Return);
        return false;
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(NavigationTest, TheSkipChoiceOfTheConnectPageLeadsStraightToTheVersionUpPage) {
    CBaseDlg dlg(kEnglish);
    useDoubles(dlg);
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8502);
        // The radio is read from the page's controls when the step ends.
        auto* skip = page(d, 8502)->button(8018);
        if (skip == nullptr) {
            ADD_FAILURE() << "no radio 8018";
            return true;
        }
        skip->setChecked(true);
        d.OnBnClickedNext();
        EXPECT_EQ(d.GetCurrentPage(), 8504);
        EXPECT_FALSE(page(d, 8503)->isVisible());
        EXPECT_TRUE(page(d, 8504)->isVisible());
        return true;
    });
}

TEST_F(NavigationTest, BackFromTheConnectPageGivesAClearPreparationPage) {
    CBaseDlg dlg(kEnglish);
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8501);
        page(d, 8501)->button(8041)->click();
        EXPECT_TRUE(d.itemEnabled(kNext));
        d.OnBnClickedNext();
        EXPECT_FALSE(page(d, 8501)->button(8041)->isChecked());
        d.item(kBack)->setFocus();
        qobject_cast<QAbstractButton*>(d.item(kBack))->click();
        EXPECT_EQ(d.GetCurrentPage(), 8501);
        EXPECT_TRUE(page(d, 8501)->isVisible());
        EXPECT_FALSE(page(d, 8502)->isVisible());
        EXPECT_FALSE(page(d, 8501)->button(8041)->isChecked());
        expectButtons(d, {false, false, true, false, true, true, false, false, false, false});
        EXPECT_EQ(d.focusWidget(), d.item(IDCANCEL));
        return true;
    });
}

TEST_F(NavigationTest, NextOnTheConnectPageFollowsThePagesAnswers) {
    struct Case {
        const char* name;
        bool portOk;
        std::optional<unsigned long> reports;
        bool result;
        int connectCalls;
        int pageAfter;
        bool restored;  // the frame put the page and its buttons back
    } cases[] = {
        {"port refused", false, std::nullopt, true, 0, 8502, false},
        {"page took over, step still running", true, std::nullopt, true, 1, 8502, false},
        {"step ended inside the call", true, 1, true, 1, 8503, false},
        {"attempt failed", true, std::nullopt, false, 1, 8502, true},
        // A failure told after the step has moved on leaves the next page as it is.
        {"failure after the step ended", true, 1, false, 1, 8503, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doubles = Doubles{};
        doubles.portOk = c.portOk;
        doubles.connectReports = c.reports;
        doubles.connectResult = c.result;
        CBaseDlg dlg(kEnglish);
        useDoubles(dlg);
        runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, 8502);
            auto* connect = page(d, 8502);
            // What a page does while it works: its controls and the frame's buttons grey.
            for (int id : {8015, 8016, 8017, 8018}) {
                connect->enableItem(id, false);
            }
            d.SetEnableBtnBack(0);
            d.SetEnableBtnNext(0);
            d.SetEnableBtnCancel(0);
            static_cast<CConnectDlg*>(connect)->m_nSkipModeChk = 1;
            d.item(IDCANCEL)->setFocus();

            d.OnBnClickedNext();
            EXPECT_EQ(*d.GetPortPtr(), L"pts/3");
            EXPECT_EQ(doubles.checkCalls, 1);
            EXPECT_EQ(doubles.connectCalls, c.connectCalls);
            EXPECT_EQ(d.GetCurrentPage(), c.pageAfter);
            if (c.restored) {
                for (int id : {8015, 8016, 8017, 8018}) {
                    EXPECT_TRUE(connect->itemEnabled(id)) << id;
                }
                EXPECT_EQ(static_cast<CConnectDlg*>(connect)->m_nSkipModeChk, 0);
                EXPECT_TRUE(connect->button(8017)->isChecked());
                expectButtons(d, {true, true, true, true, true, true, false, false, false, false});
                EXPECT_EQ(d.focusWidget(), d.item(kNext));
            } else if (c.pageAfter == 8502) {
                expectButtons(d,
                              {true, false, true, false, true, false, false, false, false, false});
            } else {
                expectButtons(d,
                              {false, false, true, false, true, true, false, false, false, false});
            }
            return true;
        });
    }
}

TEST_F(NavigationTest, APageReportingFailureEndsTheWizard) {
    for (int failingPage : {8502, 8504}) {
        SCOPED_TRACE(failingPage);
        doubles = Doubles{};
        doubles.connectReports = failingPage == 8502 ? 0 : 1;
        doubles.verupReports = 0;
        CBaseDlg dlg(kEnglish);
        useDoubles(dlg);
        const int result = runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, failingPage);
            d.OnBnClickedNext();
            return false;
        });
        EXPECT_EQ(result, IDCANCEL);
    }
}

TEST_F(NavigationTest, NextOnTheVersionUpPageFindsThePlcAgain) {
    using ports::PortInfo;
    struct Case {
        const char* name;
        std::vector<PortInfo> ports;
        std::wstring expected;
    } cases[] = {
        {"the connected one of two PLCs",
         {{"ttyS0", "16550A", "serial", false},
          {"serial/by-id/usb-Brevantis_E-if00", "Brevantis E series", "cdc_acm", false,
           "usb-serial:connected/1.0", "usb-serial:connected/1.0"},
          {"ttyACM1", "TEMLO PLC USB", "cdc_acm", false, "usb-serial:other/1.0",
           "usb-serial:other/1.0"}},
         L"serial/by-id/usb-Brevantis_E-if00"},
        {"came back under a new name",
         {{"pts/9", "TEMLO PLC", "virtual", true, "usb-serial:connected/1.0",
           "usb-serial:connected/1.0"}},
         L"pts/9"},
        {"no PLC: the connect page's port stays",
         {{"ttyS0", "16550A", "serial", false}, {"ttyUSB0", "temlo plc", "ftdi", false}},
         L"pts/3"},
        {"nothing at all", {}, L"pts/3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doubles = Doubles{};
        doubles.verupReports.reset();
        CBaseDlg dlg(kEnglish);
        useDoubles(dlg);
        runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, 8504);
            setPorts(c.ports);
            // The PLC is found again by the identity it had at the connect page.
            *d.GetPlcIdentityPtr() = {qx4t::IdentityKind::Serial, "usb-serial:connected/1.0"};
            d.OnBnClickedNext();
            EXPECT_EQ(doubles.startCalls, 1);
            EXPECT_EQ(doubles.portAtStart, c.expected);
            EXPECT_EQ(*d.GetPortPtr(), c.expected);
            EXPECT_EQ(d.GetCurrentPage(), 8504);
            return true;
        });
    }
}

// SIGTERM or SIGINT: the wizard ends at once, with Cancel's warning wherever Cancel gives it.
TEST_F(NavigationTest, AQuitEndsTheWizardWithTheWarningWhereTheModeMayHaveChanged) {
    for (int target : {8501, 8502, 8503, 8504}) {
        SCOPED_TRACE(target);
        doubles = Doubles{};
        if (target == 8503 || target == 8504) {
            boxes.expect(25013, 25014, kWarning);
        }
        CBaseDlg dlg(kEnglish);
        useDoubles(dlg);
        const int result = runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, target);
            qx4t::ui::requestQuit();
            // The quit arrives through the event loop, as a signal's does; the warning, where
            // due, is given before anything else happens.
            for (int i = 0; i < 10; ++i) {
                QApplication::processEvents();
            }
            EXPECT_EQ(boxes.pending(), 0u);
            return true;
        });
        qx4t::ui::resetQuit();
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(boxes.pending(), 0u);
    }
}

// The connected PLC is not listed, and another PLC holds its name: that one is never written
// to. The user is told and the page waits.
TEST_F(NavigationTest, NextOnTheVersionUpPageNeverTakesAnotherPlcForTheConnectedOne) {
    doubles = Doubles{};
    doubles.verupReports.reset();
    boxes.expect(26007, 26008, kWarning);
    CBaseDlg dlg(kEnglish);
    useDoubles(dlg);
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8504);
        const std::wstring connected = *d.GetPortPtr();
        setPorts({{qx4t::wideToUtf8(connected),
                   "TEMLO PLC",
                   "virtual",
                   true,
                   "virtual:other",
                   {},
                   {},
                   "virtual:other"}});
        *d.GetPlcIdentityPtr() = {qx4t::IdentityKind::Virtual, "virtual:connected"};
        d.OnBnClickedNext();
        EXPECT_EQ(doubles.startCalls, 0);
        EXPECT_EQ(d.GetCurrentPage(), 8504);
        return true;
    });
}

TEST_F(NavigationTest, CancelWarnsOnlyDuringModeCheckAndVersionUp) {
    enum class How { Button, Escape, CloseButton };
    for (int target : {8507, 8501, 8502, 8503, 8504}) {
        for (How how : {How::Button, How::Escape, How::CloseButton}) {
            SCOPED_TRACE(testing::Message() << target << " way " << static_cast<int>(how));
            doubles = Doubles{};
            if (target == 8503 || target == 8504) {
                boxes.expect(25013, 25014, kWarning);
            }
            CBaseDlg dlg(kEnglish);
            useDoubles(dlg);
            const int result = runFrame(dlg, [&](CBaseDlg& d) {
                walkTo(d, target);
                if (how == How::Button) {
                    qobject_cast<QAbstractButton*>(d.item(IDCANCEL))->click();
                } else if (how == How::Escape) {
                    sendKey(page(d, target)->focusWidget() ? page(d, target)->focusWidget()
                                                           : static_cast<QWidget*>(&d),
                            Qt::Key_Escape);
                } else {
                    QCloseEvent close;
                    QApplication::sendEvent(&d, &close);
                }
                return false;
            });
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(boxes.pending(), 0u);
        }
    }
}

TEST_F(NavigationTest, EnterPressesTheFocusedButtonNeverTheDefaultBehindIt) {
    // The version-up page with the focus on Cancel: Cancel's warning, not the start question
    // of the default button Next.
    {
        boxes.expect(25013, 25014, kWarning);
        CBaseDlg dlg(kEnglish);
        useDoubles(dlg);
        const int result = runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, 8504);
            d.focusItem(IDCANCEL);
            sendKey(d.focusWidget(), Qt::Key_Return);
            return false;
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(doubles.startCalls, 0);
        EXPECT_EQ(boxes.pending(), 0u);
    }
    // Back on the connect page, Top on the finish page, and Enter on a page's check box still
    // goes to the default button.
    {
        doubles = Doubles{};
        CBaseDlg dlg(kEnglish);
        useDoubles(dlg);
        runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, 8502);
            d.focusItem(kBack);
            sendKey(d.focusWidget(), Qt::Key_Enter);
            EXPECT_EQ(d.GetCurrentPage(), 8501);
            EXPECT_EQ(doubles.connectCalls, 0);

            page(d, 8501)->button(8041)->click();
            page(d, 8501)->focusItem(8041);
            sendKey(page(d, 8501)->item(8041), Qt::Key_Return);
            EXPECT_EQ(d.GetCurrentPage(), 8502);

            d.OnBnClickedNext();  // the doubles report each step's end at once
            d.OnBnClickedNext();
            d.OnBnClickedNext();
            EXPECT_EQ(d.GetCurrentPage(), 8505);
            d.focusItem(kTop);
            sendKey(d.focusWidget(), Qt::Key_Return);
            EXPECT_EQ(d.GetCurrentPage(), 8501);
            return true;
        });
    }
}

TEST_F(NavigationTest, TheProgramsRunLogKeepsTheMessagesAndThePageTheWizardClosedOn) {
    QTemporaryDir state;
    ASSERT_TRUE(state.isValid());
    const std::string logs = state.filePath(QStringLiteral("qx4t")).toStdString();
    ui::setRunLogFolder(logs);
    boxes.expect(25013, 25014, kWarning);
    {
        CBaseDlg dlg(kEnglish);
        useDoubles(dlg);
        runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, 8504);
            qobject_cast<QAbstractButton*>(d.item(IDCANCEL))->click();
            return false;
        });
    }
    ui::setRunLogFolder({});
    const QStringList files = QDir(QString::fromStdString(logs)).entryList({"*-wizard-*.log"});
    ASSERT_EQ(files.size(), 1);
    QFile file(QDir(QString::fromStdString(logs)).filePath(files[0]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("# qx4t-vup transcript"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("message 25013 \"Version-up stopped\": ")))
        << text.toStdString();
    EXPECT_TRUE(text.trimmed().endsWith(
        QStringLiteral("outcome: the wizard closed on page 8504 (version-up)")))
        << text.toStdString();

    // Without a folder (every other test) the wizard leaves no log and the link's seams alone.
    CBaseDlg quiet(kEnglish);
    EXPECT_EQ(QDir(QString::fromStdString(logs)).entryList({"*.log"}).size(), 1);
}

TEST_F(NavigationTest, WhileCancelIsGreyTheCloseButtonAndEscapeDoNothing) {
    CBaseDlg dlg(kEnglish);
    useDoubles(dlg);
    const int result = runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8502);
        d.SetEnableBtnCancel(0);
        EXPECT_FALSE(d.closeEnabled());
        sendKey(&d, Qt::Key_Escape);
        QCloseEvent close;
        QApplication::sendEvent(&d, &close);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.GetCurrentPage(), 8502);
        d.SetEnableBtnCancel(1);
        EXPECT_TRUE(d.closeEnabled());
        sendKey(&d, Qt::Key_Escape);
        return false;
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(NavigationTest, TopFromTheFinishPageStartsAgainWithNewPagesAndResetState) {
    CBaseDlg dlg(kEnglish);
    useDoubles(dlg);
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8505);
        *d.GetPlcStatusPtr() = stPlcStatus{L"B1", L"0170", L"90"};
        d.GetComPortPtr()->m_strPort = L"/dev/pts/3";
        *d.GetVerInfoPtr() = L"1.70";
        // A control of each page: the old windows die with their controls.
        const std::pair<int, int> controls[] = {{8507, 8043}, {8501, 8041}, {8502, 8015},
                                                {8503, 8025}, {8504, 8028}, {8505, 8026}};
        std::vector<QPointer<QWidget>> before;
        for (const auto& [id, control] : controls) {
            before.emplace_back(page(d, id)->item(control));
            EXPECT_FALSE(before.back().isNull()) << id;
        }
        // The new connect page lists the ports at once; with no PLC there the name stays empty.
        setPorts({});
        qobject_cast<QAbstractButton*>(d.item(kTop))->click();

        EXPECT_EQ(d.GetCurrentPage(), 8501);
        EXPECT_TRUE(page(d, 8501)->isVisible());
        EXPECT_FALSE(page(d, 8507)->isVisible());
        EXPECT_FALSE(page(d, 8505)->isVisible());
        EXPECT_TRUE(d.itemShown(8005));
        expectButtons(d, {false, false, true, false, true, true, false, false, false, false});
        EXPECT_EQ(d.defaultButton(), kNext);
        for (std::size_t i = 0; i < before.size(); ++i) {
            const auto [id, control] = controls[i];
            EXPECT_TRUE(before[i].isNull()) << id;
            EXPECT_NE(page(d, id)->item(control), nullptr) << id;
        }
        EXPECT_TRUE(d.GetPortPtr()->empty());
        EXPECT_TRUE(d.GetVerInfoPtr()->empty());
        EXPECT_EQ(d.GetPlcStatusPtr()->strModel, L"");
        EXPECT_EQ(d.GetPlcStatusPtr()->strVersion, L"****");
        EXPECT_EQ(d.GetComPortPtr()->m_strPort, L"/dev/ttyS9");

        // The second round goes the same way, without the disclaimer.
        d.OnBnClickedNext();
        EXPECT_EQ(d.GetCurrentPage(), 8502);
        return true;
    });
}

TEST_F(NavigationTest, TheStepListMarksTheCurrentStepOnTheScreen) {
    CBaseDlg dlg(kEnglish);
    useDoubles(dlg);
    runFrame(dlg, [&](CBaseDlg& d) {
        const QColor normal = d.GetNormalStepColor();
        const struct {
            int page;
            int marked;
            QColor colour;
        } cases[] = {{8501, 8005, QColor(166, 202, 240)},
                     {8502, 8006, QColor(166, 202, 240)},
                     {8503, 8007, QColor(166, 202, 240)},
                     {8504, 8008, QColor(166, 202, 240)},
                     {8505, 8009, QColor(255, 174, 201)}};
        for (const auto& c : cases) {
            walkTo(d, c.page);
            for (int id = 8005; id <= 8009; ++id) {
                const QImage shot = d.item(id)->grab().toImage();
                // A corner, away from the label's text.
                EXPECT_EQ(shot.pixelColor(1, 1), id == c.marked ? c.colour : normal)
                    << "page " << c.page << " label " << id;
            }
        }
        return true;
    });
}

TEST_F(NavigationTest, TheDecorationsCarryTheStepPictureInTheirMiddle) {
    CBaseDlg dlg(kEnglish);
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8501);
        QWidget* decoration = d.item(8029);
        if (d.GetStepImageList().isEmpty() || decoration == nullptr) {
            ADD_FAILURE() << "no step picture or no decoration";
            return true;
        }
        const QImage picture = d.GetStepImageList().front().toImage();
        const struct {
            QSize size;
            QPoint at;
        } cases[] = {{{20, 20}, {2, 2}}, {{16, 16}, {0, 0}}, {{40, 20}, {12, 2}}};
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.size.width() << "x" << c.size.height());
            decoration->setMinimumSize(0, 0);
            decoration->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            decoration->resize(c.size);
            const QImage shot = decoration->grab().toImage();
            EXPECT_EQ(shot.size(), c.size);
            int opaque = 0;
            int mismatches = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    if (picture.pixelColor(x, y).alpha() == 255) {
                        ++opaque;
                        mismatches +=
                            shot.pixelColor(c.at + QPoint(x, y)) != picture.pixelColor(x, y);
                    }
                }
            }
            EXPECT_GT(opaque, 0);
            EXPECT_EQ(mismatches, 0);
        }
        return true;
    });
}

}  // namespace
}  // namespace qx4t::test
