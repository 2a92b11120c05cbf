// Dialogs from templates by id: modal run, controls by id, data exchange, keys and the close
// button, page messages, child dialogs, message boxes through the seam, the quit hook.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <iostream>
#include <sstream>
#include <vector>

#include "platform/res/Resources.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Timers.h"
#include "platform/ui/VirtualTime.h"
#include "tests/platform/ui/support/UiTestSupport.h"

using namespace std::chrono_literals;
using qx4t::test::ScriptedMessageBoxes;
using qx4t::ui::DataExchange;
using qx4t::ui::Dialog;

namespace {

class TestDialog : public Dialog {
public:
    explicit TestDialog(int templateId = 9000) : Dialog(templateId) {}

    QString m_strName = QStringLiteral("initial");
    int m_nReady = BST_CHECKED;
    int m_nChoice = 1;
    QLineEdit* m_edit = nullptr;
    std::vector<int> commands;
    std::vector<std::pair<unsigned, unsigned long>> messages;
    std::function<void(TestDialog&)> onInit;
    int initCount = 0;
    int quits = 0;

protected:
    bool OnInitDialog() override {
        ++initCount;
        Dialog::OnInitDialog();
        if (onInit) {
            onInit(*this);
        }
        return true;
    }
    void DoDataExchange(DataExchange& dx) override {
        dx.control(9002, m_edit);
        dx.text(9002, m_strName);
        dx.check(9003, m_nReady);
        dx.radio(9004, m_nChoice);
    }
    void OnCommand(int id) override {
        commands.push_back(id);
        Dialog::OnCommand(id);
    }
    long OnMessage(unsigned message, unsigned long wParam, long) override {
        messages.emplace_back(message, wParam);
        return 1;
    }
    void OnQuit() override {
        ++quits;
        Dialog::OnQuit();
    }
};

class DialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        qx4t::test::ensureApplication();
        qx4t::res::registerModule(QStringLiteral("UiTestRes"));
    }
    void TearDown() override { qx4t::ui::resetQuit(); }

    // Runs the dialog modally; body runs inside the modal loop.
    static int runModal(TestDialog& d, std::function<void(TestDialog&)> body) {
        d.onInit = [body](TestDialog& dlg) {
            QTimer::singleShot(0, &dlg, [&dlg, body] { body(dlg); });
        };
        return d.DoModal();
    }

    static void press(QWidget* target, int key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
};

TEST_F(DialogTest, ModalRunShowsTheTemplateAndReturnsTheEndResult) {
    TestDialog d;
    bool sawWindow = false;
    const int result = runModal(d, [&](TestDialog& dlg) {
        sawWindow = dlg.isVisible() && dlg.IsWindow();
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Test dialog"));
        EXPECT_NE(dlg.item(9002), nullptr);
        EXPECT_EQ(dlg.item(4242), nullptr);
        EXPECT_NE(dlg.checkBox(9003), nullptr);
        EXPECT_EQ(dlg.checkBox(9002), nullptr);  // an edit is not a check box
        dlg.button(IDOK)->click();
    });
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(d.commands, std::vector<int>{IDOK});
    EXPECT_FALSE(d.IsWindow());  // the window goes with the modal run
}

TEST_F(DialogTest, ModalWindowCanNeitherBeResizedNorMaximised) {
    TestDialog d;
    runModal(d, [](TestDialog& dlg) {
        const QSize size = dlg.size();
        EXPECT_EQ(dlg.minimumSize(), size);
        EXPECT_EQ(dlg.maximumSize(), size);
        EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
        dlg.resize(size * 2);
        dlg.showMaximized();
        QApplication::processEvents();
        EXPECT_EQ(dlg.size(), size);
        EXPECT_TRUE(dlg.isVisible()) << "the flags were set before the window was shown";
        dlg.EndDialog(IDOK);
    });
}

TEST_F(DialogTest, MissingTemplateEndsTheModalRunAtOnceWithoutAWindow) {
    TestDialog d(4711);
    EXPECT_EQ(d.DoModal(), -1);
    EXPECT_EQ(d.initCount, 0);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(DialogTest, EndingDuringInitNeverShowsTheDialog) {
    TestDialog d;
    bool shown = false;
    d.onInit = [&](TestDialog& dlg) {
        dlg.EndDialog(IDCANCEL);
        shown = dlg.isVisible();
    };
    EXPECT_EQ(d.DoModal(), IDCANCEL);
    EXPECT_FALSE(shown);
}

TEST_F(DialogTest, DataExchangeMovesValuesBothWays) {
    TestDialog d;
    runModal(d, [](TestDialog& dlg) {
        // OnInitDialog pushed the members to the controls.
        EXPECT_EQ(dlg.m_edit, dlg.item(9002));
        EXPECT_EQ(dlg.m_edit->text(), QStringLiteral("initial"));
        EXPECT_TRUE(dlg.checkBox(9003)->isChecked());
        EXPECT_TRUE(dlg.button(9005)->isChecked());
        EXPECT_FALSE(dlg.button(9004)->isChecked());

        dlg.m_edit->setText(QStringLiteral("typed"));
        dlg.checkBox(9003)->setChecked(false);
        dlg.button(9004)->setChecked(true);
        dlg.UpdateData(true);
        EXPECT_EQ(dlg.m_strName, QStringLiteral("typed"));
        EXPECT_EQ(dlg.m_nReady, BST_UNCHECKED);
        EXPECT_EQ(dlg.m_nChoice, 0);

        // No radio chosen is a state of its own, both ways.
        dlg.m_nChoice = -1;
        dlg.UpdateData(false);
        EXPECT_FALSE(dlg.button(9004)->isChecked());
        EXPECT_FALSE(dlg.button(9005)->isChecked());
        dlg.m_nChoice = 7;
        dlg.UpdateData(true);
        EXPECT_EQ(dlg.m_nChoice, -1);

        dlg.comboBox(9006)->addItems({QStringLiteral("pts/1"), QStringLiteral("pts/2")});
        dlg.setItemText(9006, QStringLiteral("pts/2"));
        EXPECT_EQ(dlg.comboBox(9006)->currentIndex(), 1);
        dlg.setItemText(9008, QStringLiteral("filled by code"));
        EXPECT_EQ(dlg.itemText(9008), QStringLiteral("filled by code"));
        // A wrapping label is given joiners that keep a sentence's end whole; the page reads
        // back the text it set.
        dlg.label(9008)->setWordWrap(true);
        const QString sentence = QStringLiteral("しばらくお待ちください。");
        dlg.setItemText(9008, sentence);
        EXPECT_NE(dlg.label(9008)->text(), sentence);
        EXPECT_EQ(dlg.itemText(9008), sentence);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(DialogTest, CloseButtonAndEscapeActAsCancelOnlyWhileEnabled) {
    TestDialog d;
    const int result = runModal(d, [](TestDialog& dlg) {
        dlg.setCloseEnabled(false);
        QCloseEvent close;
        QApplication::sendEvent(&dlg, &close);
        press(&dlg, Qt::Key_Escape);
        press(dlg.item(9002), Qt::Key_Escape);  // from a control inside
        EXPECT_TRUE(dlg.commands.empty());
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_FALSE(close.isAccepted());

        dlg.setCloseEnabled(true);
        press(dlg.item(9002), Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(d.commands, std::vector<int>{IDCANCEL});

    TestDialog e;
    EXPECT_EQ(runModal(e,
                       [](TestDialog& dlg) {
                           QCloseEvent close;
                           QApplication::sendEvent(&dlg, &close);
                       }),
              IDCANCEL);
    EXPECT_EQ(e.commands, std::vector<int>{IDCANCEL});
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonOnlyWhileItCanBePressed) {
    TestDialog d;
    const int result = runModal(d, [](TestDialog& dlg) {
        dlg.setDefaultButton(IDOK);
        EXPECT_EQ(dlg.defaultButton(), IDOK);
        EXPECT_TRUE(qobject_cast<QPushButton*>(dlg.button(IDOK))->isDefault());
        EXPECT_FALSE(qobject_cast<QPushButton*>(dlg.button(IDCANCEL))->isDefault());
        dlg.enableItem(IDOK, false);
        press(dlg.item(9003), Qt::Key_Return);
        EXPECT_TRUE(dlg.commands.empty());
        dlg.enableItem(IDOK, true);
        press(dlg.item(9003), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(DialogTest, EnterPressesTheFocusedPushButtonEvenWithoutAutoDefault) {
    TestDialog d;
    const int result = runModal(d, [](TestDialog& dlg) {
        dlg.setDefaultButton(IDOK);
        auto* cancel = qobject_cast<QPushButton*>(dlg.button(IDCANCEL));
        cancel->setAutoDefault(false);
        dlg.focusItem(IDCANCEL);
        press(cancel, Qt::Key_Enter);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(d.commands, std::vector<int>{IDCANCEL});
}

TEST_F(DialogTest, ShowEnableAndFocusByIdAndAccessibleNames) {
    TestDialog d;
    runModal(d, [](TestDialog& dlg) {
        dlg.showItem(9003, false);
        EXPECT_FALSE(dlg.itemShown(9003));
        dlg.showItem(9003, SW_SHOW);
        EXPECT_TRUE(dlg.itemShown(9003));
        dlg.enableItem(9006, false);
        EXPECT_FALSE(dlg.itemEnabled(9006));
        EXPECT_FALSE(dlg.itemEnabled(4242));
        dlg.focusItem(9003);
        EXPECT_EQ(dlg.focusWidget(), dlg.item(9003));
        // From the buddy label without its mnemonic, and from the tool tip.
        EXPECT_EQ(dlg.item(9002)->accessibleName(), QStringLiteral("Name:"));
        EXPECT_EQ(dlg.item(9007)->accessibleName(), QStringLiteral("Transfer progress"));
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(DialogTest, ChildDialogSitsWhereItsTemplateSaysAndReachesItsParentSynchronously) {
    TestDialog frame;
    runModal(frame, [](TestDialog& f) {
        TestDialog page(9010);
        ASSERT_TRUE(page.Create(9010, &f));
        EXPECT_EQ(page.initCount, 1);
        EXPECT_FALSE(page.isWindow());
        EXPECT_FALSE(page.isVisible());
        EXPECT_EQ(page.pos(), QPoint(30, 40));
        EXPECT_EQ(page.parentDialog(), &f);
        // The frame's controls are not the page's, and the other way round.
        EXPECT_EQ(f.item(9011), nullptr);
        EXPECT_NE(page.item(9011), nullptr);

        EXPECT_EQ(page.parentDialog()->SendMessage(WM_USER + 100, 1, 0), 1);
        ASSERT_EQ(f.messages.size(), 1u);
        EXPECT_EQ(f.messages[0].first, WM_USER + 100);
        EXPECT_EQ(f.messages[0].second, 1u);

        // Escape inside a page is the frame's Escape, never the page's own end.
        page.show();
        press(page.item(9012), Qt::Key_Escape);
        EXPECT_EQ(f.commands, std::vector<int>{IDCANCEL});
        EXPECT_TRUE(page.isVisible());

        // Recreated windows are new controls, initialised anew.
        QWidget* before = page.item(9012);
        page.DestroyWindow();
        EXPECT_FALSE(page.IsWindow());
        EXPECT_EQ(page.item(9012), nullptr);
        ASSERT_TRUE(page.Create(9010, &f));
        EXPECT_EQ(page.initCount, 2);
        EXPECT_NE(page.item(9012), nullptr);
        (void)before;

        TestDialog missing(4711);
        EXPECT_FALSE(missing.Create(4711, &f));
        EXPECT_FALSE(missing.IsWindow());
    });
}

TEST_F(DialogTest, MessageBoxesGoThroughTheSeamWithTextsById) {
    ScriptedMessageBoxes boxes;
    boxes.expect(30001, 30002, MB_YESNO | MB_ICONEXCLAMATION, IDNO)
        .withText(QStringLiteral("Version 1.80 of %2x"));
    boxes.expectApp(QStringLiteral("QX4T_Vup Resource file cannot be read."));
    TestDialog d;
    runModal(d, [](TestDialog& dlg) {
        // An argument that holds "%2" is not substituted again.
        EXPECT_EQ(dlg.MessageBox(30001, 30002, MB_YESNO | MB_ICONEXCLAMATION,
                                 {QStringLiteral("1.80"), QStringLiteral("%2x")}),
                  IDNO);
        EXPECT_EQ(qx4t::ui::appMessageBox(QStringLiteral("QX4T_Vup Resource file cannot be read.")),
                  IDOK);
        dlg.EndDialog(IDCANCEL);
    });
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("Test caption"));
    EXPECT_EQ(boxes.shown()[1].caption, QStringLiteral("Qx4t_V0180_VupTool"));
}

TEST_F(DialogTest, TheSeamSeesABoxShownWhileItsDialogHasATimerArmed) {
    std::vector<qx4t::ui::MessageBoxRequest> seen;
    auto previous = qx4t::ui::setMessageBoxHandler([&](const qx4t::ui::MessageBoxRequest& r) {
        seen.push_back(r);
        return IDOK;
    });
    TestDialog d;
    d.SetTimer(1, 500ms);
    d.MessageBox(30001, 30002, MB_OK);
    d.KillTimer(1);
    d.MessageBox(30001, 30002, MB_OK);
    qx4t::ui::setMessageBoxHandler(std::move(previous));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].ownerTimerArmed);
    EXPECT_FALSE(seen[1].ownerTimerArmed);
}

TEST_F(DialogTest, AQuitRequestEndsTheModalRunWithCancel) {
    TestDialog d;
    const int result = runModal(d, [](TestDialog&) { qx4t::ui::requestQuit(); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(qx4t::ui::pumpOnce());  // the link's wait sees it too
    qx4t::ui::resetQuit();
    EXPECT_FALSE(qx4t::ui::pumpOnce());
}

TEST_F(DialogTest, AQuitClosesAnOpenMessageBoxAndEndsTheRun) {
    // The real box, not the seam: a quit must not wait for a click on it.
    auto previous = qx4t::ui::setMessageBoxHandler({});
    bool leftOpen = false;
    // Only a failure reaches this bound; it closes the box so that the test ends.
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, [&] {
        leftOpen = true;
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    std::ostringstream told;
    std::streambuf* const standardError = std::cerr.rdbuf(told.rdbuf());
    TestDialog d;
    int answer = 0;
    const int result = runModal(d, [&](TestDialog& dlg) {
        bound.start(5000);
        QTimer::singleShot(0, [] { qx4t::ui::requestQuit(); });
        answer = dlg.MessageBox(30001, 30002, MB_YESNO | MB_ICONEXCLAMATION,
                                {QStringLiteral("1.80"), QStringLiteral("2")});
    });
    bound.stop();
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(d.quits, 1);
    // A box asked for after the quit is not shown at all.
    EXPECT_EQ(d.MessageBox(30001, 30002, MB_RETRYCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
    std::cerr.rdbuf(standardError);
    qx4t::ui::setMessageBoxHandler(std::move(previous));
    // Neither box reached the user's eyes; both went to the standard error.
    EXPECT_EQ(told.str(), "Test caption: Version 1.80 of 2\nTest caption: Version %1 of %2\n");
}

}  // namespace
