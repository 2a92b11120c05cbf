// The disclaimer, preparation, mode check and finish pages on the real frame: what each shows,
// how its box drives Next, the manual link, the keyboard, accessible names, and screenshots of
// every page in every language.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QUrl>

#include "common/Languages.h"
#include "platform/res/Resources.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Shell.h"
#include "tests/wizard/support/NavTestSupport.h"
#include "wizard/pages/PreSetupDlg.h"

namespace qx4t::test {
namespace {

constexpr int kNext = 8011;

void sendKey(QWidget* target, int key) {
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

class PagesTest : public NavTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        NavTest::SetUp();
        if (!installLanguage(GetParam())) {
            GTEST_SKIP() << "language " << GetParam() << " is not built";
        }
    }
    // Ticks or unticks a page's box the way a user does: a click.
    static void click(ui::Dialog* page, int id) {
        QAbstractButton* b = page->button(id);
        ASSERT_NE(b, nullptr) << id;
        b->click();
    }
};

// Next follows a page's box on every click, and is greyed again whenever the page comes.
TEST_P(PagesTest, NextFollowsEachPagesBox) {
    const struct {
        int page;
        int box;
    } cases[] = {{8507, 8043}, {8501, 8041}, {8503, 8025}};
    CBaseDlg dlg(GetParam());
    useDoubles(dlg);
    runFrame(dlg, [&](CBaseDlg& d) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.page);
            walkTo(d, c.page);
            ui::Dialog* p = page(d, c.page);
            EXPECT_FALSE(d.itemEnabled(kNext));
            for (bool expected : {true, false, true}) {
                click(p, c.box);
                EXPECT_EQ(p->checkBox(c.box)->isChecked(), expected);
                EXPECT_EQ(d.itemEnabled(kNext), expected);
                EXPECT_TRUE(d.itemEnabled(IDCANCEL));
            }
        }
        return true;
    });
}

// A keyboard user ticks with Space, a screen reader with the box's Toggle action, which changes
// the state without a click.
TEST_P(PagesTest, NextFollowsEachPagesBoxHoweverItIsTicked) {
    const struct {
        int page;
        int box;
    } cases[] = {{8507, 8043}, {8501, 8041}, {8503, 8025}};
    CBaseDlg dlg(GetParam());
    useDoubles(dlg);
    runFrame(dlg, [&](CBaseDlg& d) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.page);
            walkTo(d, c.page);
            QCheckBox* box = page(d, c.page)->checkBox(c.box);
            QAccessibleInterface* accessible =
                box != nullptr ? QAccessible::queryAccessibleInterface(box) : nullptr;
            if (accessible == nullptr || accessible->actionInterface() == nullptr) {
                ADD_FAILURE() << "no box or no accessible action";
                continue;
            }
            for (bool expected : {true, false}) {
                accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
                EXPECT_EQ(box->isChecked(), expected);
                EXPECT_EQ(d.itemEnabled(kNext), expected);
            }
            for (bool expected : {true, false}) {
                sendKey(box, Qt::Key_Space);
                EXPECT_EQ(box->isChecked(), expected);
                EXPECT_EQ(d.itemEnabled(kNext), expected);
            }
        }
        return true;
    });
}

TEST_P(PagesTest, TheDisclaimerShowsItsTextWithABoldHeadingAndTheFocusOnTheBox) {
    CBaseDlg dlg(GetParam());
    runFrame(dlg, [&](CBaseDlg& d) {
        ui::Dialog* p = page(d, 8507);
        EXPECT_EQ(p->itemText(8044), res::loadString(25028));
        EXPECT_FALSE(p->itemText(8044).isEmpty());
        EXPECT_EQ(p->label(8042)->font().weight(), QFont::Bold);
        EXPECT_EQ(p->label(8042)->font().family(), p->font().family());
        EXPECT_EQ(d.focusWidget(), p->item(8043));
        return true;
    });
}

TEST_P(PagesTest, ThePreparationPageNamesTheTargetAndStartsClearAfterNextAndBack) {
    CBaseDlg dlg(GetParam());
    useDoubles(dlg);
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8501);
        ui::Dialog* p = page(d, 8501);
        EXPECT_EQ(p->itemText(8013), ui::formatString(20004, {QStringLiteral("1.80")}));
        EXPECT_TRUE(p->itemText(8013).contains(QStringLiteral("1.80")));

        click(p, 8041);
        d.OnBnClickedNext();
        d.OnBnClickedBack();
        EXPECT_EQ(d.GetCurrentPage(), 8501);
        EXPECT_FALSE(p->checkBox(8041)->isChecked());
        EXPECT_FALSE(d.itemEnabled(kNext));
        return true;
    });
}

TEST_P(PagesTest, TheManualLinkOpensTheLanguagesManualInTheCurrentFolder) {
    std::vector<QUrl> opened;
    const ui::DocumentOpener previous = ui::setDocumentOpener([&opened](const QUrl& url) {
        opened.push_back(url);
        return false;  // as for a missing file: the page does not care
    });
    CBaseDlg dlg(GetParam());
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8501);
        auto* link = page(d, 8501)->label(8014);
        if (link == nullptr) {
            ADD_FAILURE() << "no link 8014";
            return true;
        }
        Q_EMIT link->linkActivated(QStringLiteral("manual"));
        EXPECT_EQ(d.GetCurrentPage(), 8501);
        return true;
    });
    ui::setDocumentOpener(previous);
    const std::string_view manual = FindLanguage(GetParam())->manual;
    const QString file = QString::fromLatin1(manual.data(), std::ssize(manual)).mid(2);  // "./"
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QDir::current().absoluteFilePath(file)));
}

TEST_P(PagesTest, TheManualLinkPrefersTheManualInTheProgramFolder) {
    // Each language's own manual, as the page names it (without the "./" it is opened by).
    const QString file = QFileInfo(CPreSetupDlg::ManualFileOf(GetParam())).fileName();
    QFile manual(folder.filePath(file));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    std::vector<QUrl> opened;
    const ui::DocumentOpener previous = ui::setDocumentOpener([&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    CBaseDlg dlg(GetParam());
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8501);
        if (auto* link = page(d, 8501)->label(8014)) {
            Q_EMIT link->linkActivated(QStringLiteral("manual"));
        } else {
            ADD_FAILURE() << "no link 8014";
        }
        return true;
    });
    ui::setDocumentOpener(previous);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(folder.filePath(file)));
}

TEST(ManualFiles, OneManualPerLanguageIndexAndNoneOutside) {
    const struct {
        int language;
        const char* file;
    } cases[] = {{0, "./Qx4t_Manual_en.pdf"},
                 {1, "./Qx4t_Manual_ja.pdf"},
                 {3, "./Qx4t_Vup_ManCht.pdf"},
                 {7, "./Qx4t_Vup_ManDeu.pdf"},
                 {9, "./Qx4t_Vup_ManThi.pdf"},
                 {-1, ""},
                 {10, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(CPreSetupDlg::ManualFileOf(c.language), QString::fromLatin1(c.file))
            << c.language;
    }
}

TEST_P(PagesTest, TheModeCheckPagePlaysItsAnimationOnlyWhileShown) {
    CBaseDlg dlg(GetParam());
    useDoubles(dlg);
    doubles.verupReports.reset();
    runFrame(dlg, [&](CBaseDlg& d) {
        walkTo(d, 8503);
        ui::Dialog* p = page(d, 8503);
        EXPECT_EQ(d.focusWidget(), p->item(8025));
        QMovie* movie = p->label(8020)->movie();
        if (movie == nullptr) {
            ADD_FAILURE() << "no animation";
            return true;
        }
        EXPECT_EQ(movie->state(), QMovie::Running);
        click(p, 8025);
        d.OnBnClickedNext();
        EXPECT_NE(movie->state(), QMovie::Running);
        return true;
    });
}

TEST_P(PagesTest, TheFinishPageShowsTheSeriesAndTheOldAndNewVersions) {
    const struct {
        const wchar_t* model;
        const wchar_t* version;
        QString series;
        QString previous;
    } cases[] = {{L"B1", L"0170", QStringLiteral("TR6AW/TR6AZ"), QStringLiteral("1.70")},
                 {L"B0", L"1080", QStringLiteral("TR6W/TR6Z"), QStringLiteral("10.80")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.previous.toStdString());
        doubles = Doubles{};
        CBaseDlg dlg(GetParam());
        useDoubles(dlg);
        runFrame(dlg, [&](CBaseDlg& d) {
            walkTo(d, 8504);
            *d.GetPlcStatusPtr() = stPlcStatus{c.model, c.version, L"90"};
            d.OnBnClickedNext();
            EXPECT_EQ(d.GetCurrentPage(), 8505);
            ui::Dialog* p = page(d, 8505);
            EXPECT_EQ(p->itemText(8039), c.series);
            EXPECT_EQ(p->itemText(8026),
                      ui::formatString(20005, {c.previous, QStringLiteral("1.80")}));
            return true;
        });
    }
}

TEST_P(PagesTest, TheWizardCanBeWalkedToTheConnectPageWithTheKeyboardAlone) {
    CBaseDlg dlg(GetParam());
    runFrame(dlg, [&](CBaseDlg& d) {
        // Disclaimer: the focus starts on the box; Space ticks it, Enter presses Next.
        sendKey(d.focusWidget(), Qt::Key_Space);
        sendKey(d.focusWidget(), Qt::Key_Return);
        EXPECT_EQ(d.GetCurrentPage(), 8501);

        // Preparation: the focus starts on Cancel; Tab reaches the box.
        QWidget* box = page(d, 8501)->item(8041);
        for (int i = 0; i < 12 && d.focusWidget() != box; ++i) {
            sendKey(d.focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(d.focusWidget(), box);
        sendKey(d.focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(d.itemEnabled(kNext));
        sendKey(d.focusWidget(), Qt::Key_Return);
        EXPECT_EQ(d.GetCurrentPage(), 8502);
        return true;
    });
}

TEST_P(PagesTest, EveryControlOfThesePagesHasAnAccessibleName) {
    CBaseDlg dlg(GetParam());
    runFrame(dlg, [&](CBaseDlg& d) {
        std::vector<QWidget*> roots{&d};
        for (int id : {8507, 8501, 8503, 8505}) {
            roots.push_back(page(d, id));
        }
        for (QWidget* root : roots) {
            for (QWidget* w : root->findChildren<QWidget*>()) {
                const bool control =
                    w->objectName().startsWith(QStringLiteral("IDC_")) &&
                    (w->focusPolicy() != Qt::NoFocus || qobject_cast<QProgressBar*>(w) != nullptr ||
                     (qobject_cast<QLabel*>(w) != nullptr &&
                      qobject_cast<QLabel*>(w)->movie() != nullptr));
                if (!control) {
                    continue;
                }
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                EXPECT_NE(a, nullptr) << w->objectName().toStdString();
                EXPECT_FALSE(a == nullptr || a->text(QAccessible::Name).trimmed().isEmpty())
                    << w->objectName().toStdString();
            }
        }
        return true;
    });
}

TEST_P(PagesTest, ScreenshotsOfEveryPage) {
    CBaseDlg dlg(GetParam());
    useDoubles(dlg);
    doubles.connectReports.reset();
    doubles.connectResult = true;
    runFrame(dlg, [&](CBaseDlg& d) {
        const std::string_view code = FindLanguage(GetParam())->code;
        const QString language = QString::fromLatin1(code.data(), std::ssize(code));
        for (int id : {8507, 8501, 8502, 8503, 8504, 8505}) {
            if (id == 8503) {
                d.SendMessage(CBaseDlg::WM_MODECHG_END, 1, 0);
            } else {
                walkTo(d, id);
            }
            if (id == 8504) {
                *d.GetPlcStatusPtr() = stPlcStatus{L"B1", L"0170", L"90"};
            }
            EXPECT_EQ(d.GetCurrentPage(), id);
            EXPECT_TRUE(
                d.grab().save(screenshotPath(QStringLiteral("nav_%1_%2").arg(language).arg(id))));
        }
        return true;
    });
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, PagesTest, ::testing::Range(0, kLanguageCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(FindLanguage(info.param)->code);
                         });

}  // namespace
}  // namespace qx4t::test
