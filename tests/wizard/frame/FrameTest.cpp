// The wizard frame: loading its language and its own library, the firmware images, the first
// page, the model lookups and the reset of the shared state.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <vector>

#include "common/Languages.h"
#include "common/ModelTable.h"
#include "firmware/Images.h"
#include "link/ResultCodes.h"
#include "platform/ProgramFolder.h"
#include "platform/res/Resources.h"
#include "platform/ui/Timers.h"
#include "platform/ui/VirtualTime.h"
#include "tests/platform/ui/support/UiTestSupport.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/wizard/support/CBaseDlgTestAccess.h"
#include "tests/wizard/support/NavTestSupport.h"
#include "wizard/frame/BaseDlg.h"
#include "wizard/frame/ProgramFolder.h"

using qx4t::test::ScriptedMessageBoxes;

namespace {

constexpr unsigned kWarning = MB_OK | MB_ICONEXCLAMATION;
const int kPages[] = {8507, 8501, 8502, 8503, 8504, 8505};

class ShowSpy : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            ++shows;
        }
        return false;
    }
};

class FrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qx4t::test::ensureApplication(); }

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        qx4t::frame::setProgramFolderForTesting(folder.path().toStdString());
        qx4t::test::forgetLanguageLibraries();
        restoreImages();
    }
    void TearDown() override {
        qx4t::frame::setProgramFolderForTesting({});
        qx4t::test::forgetLanguageLibraries();
        restoreImages();
    }

    static qx4t::res::ModuleHandle wizardModule() {
        return qx4t::res::findModule(QStringLiteral("Qx4t_V0180"));
    }
    static void restoreImages() {
        const auto plain = qx4t::firmware::plainImage();
        const auto ethernet = qx4t::firmware::ethernetImage();
        qx4t::res::registerData(wizardModule(), "DAT", 8104, plain.data, plain.size);
        qx4t::res::registerData(wizardModule(), "DAT", 8107, ethernet.data, ethernet.size);
    }

    void install(const QString& name, const QString& from = QStringLiteral(QX4T_EMPTY_MODULE)) {
        ASSERT_TRUE(QFile::copy(from, folder.filePath(name))) << name.toStdString();
    }
    // The test language (Thai: its resources are in this test program) and the wizard library.
    void installTestLanguageAndWizard() {
        install(QStringLiteral("QX4T_VupThi.so"));
        install(QStringLiteral("Qx4t_V0180.so"));
    }

    // Runs the frame modally; body runs inside the modal loop, then the frame is cancelled.
    static int runFrame(CBaseDlg& dlg, const std::function<void(CBaseDlg&)>& body) {
        QTimer::singleShot(0, &dlg, [&dlg, body] {
            body(dlg);
            dlg.EndDialog(IDCANCEL);
        });
        return dlg.DoModal();
    }

    QTemporaryDir folder;
};

TEST_F(FrameTest, ALanguageLibraryThatCannotBeLoadedIsToldOnceAndNoWizardOpens) {
    struct Case {
        int language;
        const char* presentFile;  // an empty (unloadable) file of that name, or null
        const char* message;
    } cases[] = {
        {7, nullptr, "QX4T_VupDeu Resource file cannot be read."},
        {0, "Qx4t_en.so", "QX4T_VupEnu Resource file cannot be read."},
        {1, nullptr, "QX4T_VupJpn Resource file cannot be read."},
        {10, nullptr, "QX4T_Vup Language Resource file cannot be read."},
        {-1, nullptr, "QX4T_Vup Language Resource file cannot be read."},
    };
    install(QStringLiteral("Qx4t_V0180.so"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        if (c.presentFile != nullptr) {
            QFile empty(folder.filePath(QString::fromLatin1(c.presentFile)));
            ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        }
        ScriptedMessageBoxes boxes;
        boxes.expectApp(QString::fromLatin1(c.message));
        CBaseDlg dlg(c.language);
        ShowSpy spy;
        dlg.installEventFilter(&spy);
        // Without a language there is no frame template: the run ends without a window.
        EXPECT_EQ(dlg.DoModal(), -1);
        EXPECT_EQ(spy.shows, 0);
        EXPECT_EQ(dlg.GetLanguage(), c.language);
    }
}

TEST_F(FrameTest, ALanguageLibraryWithoutLayoutsIsToldAsUnreadable) {
    // A loadable library under the English name that holds nothing of its own.
    install(QStringLiteral("Qx4t_en.so"));
    install(QStringLiteral("Qx4t_V0180.so"));
    ScriptedMessageBoxes boxes;
    boxes.expectApp(QStringLiteral("QX4T_VupEnu Resource file cannot be read."));
    CBaseDlg dlg(0);
    ShowSpy spy;
    dlg.installEventFilter(&spy);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(spy.shows, 0);
    EXPECT_EQ(boxes.pending(), 0u);
    qx4t::res::removeFromChain(qx4t::res::findModule(QStringLiteral("Qx4t_en")));
}

TEST_F(FrameTest, AnEmptyLibraryAloneInTheFolderIsToldWithItsLanguagesOwnText) {
    // The text of each language index, written out here rather than read from the language
    // table, so that a wrong row shows.
    const char* const texts[] = {
        "QX4T_VupEnu Resource file cannot be read.", "QX4T_VupJpn Resource file cannot be read.",
        "QX4T_VupChs Resource file cannot be read.", "QX4T_VupCht Resource file cannot be read.",
        "QX4T_VupKor Resource file cannot be read.", "QX4T_VupEsp Resource file cannot be read.",
        "QX4T_VupIta Resource file cannot be read.", "QX4T_VupDeu Resource file cannot be read.",
        "QX4T_VupFra Resource file cannot be read.", "QX4T_VupThi Resource file cannot be read.",
    };
    static_assert(std::size(texts) == qx4t::kLanguageCount);
    for (int language = 0; language < qx4t::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        QTemporaryDir alone;
        ASSERT_TRUE(alone.isValid());
        const std::string_view name = qx4t::languageLibraryName(language);
        QFile empty(alone.filePath(QString::fromLatin1(name.data(), std::ssize(name))));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        empty.close();
        qx4t::frame::setProgramFolderForTesting(alone.path().toStdString());
        ScriptedMessageBoxes boxes;
        boxes.expectApp(QString::fromLatin1(texts[language]));
        CBaseDlg dlg(language);
        ShowSpy spy;
        dlg.installEventFilter(&spy);
        EXPECT_EQ(dlg.DoModal(), -1);
        EXPECT_EQ(spy.shows, 0);
    }
}

TEST_F(FrameTest, TheWizardLibraryMustBeInTheProgramFolder) {
    install(QStringLiteral("QX4T_VupThi.so"));
    ScriptedMessageBoxes boxes;
    boxes.expectApp(QStringLiteral("QX4T_Vup Resource file cannot be read."));
    CBaseDlg dlg(9);
    ShowSpy spy;
    dlg.installEventFilter(&spy);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(spy.shows, 0);
    EXPECT_EQ(dlg.GetFWUpdateDataPtr(), nullptr);
}

TEST_F(FrameTest, AnImageThatIsMissingUnusableOrOfTheWrongSizeStopsTheWizard) {
    static std::vector<unsigned char> buffer(qx4t::kFirmwareImageSize + 1);
    const auto plain = qx4t::firmware::plainImage();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<int> textIds;  // the boxes shown, in order
    } cases[] = {
        {"plain image one byte short",
         [&] {
             qx4t::res::registerData(wizardModule(), "DAT", 8104, buffer.data(),
                                     qx4t::kFirmwareImageSize - 1);
         },
         {25021}},
        {"Ethernet image one byte long",
         [&] {
             qx4t::res::registerData(wizardModule(), "DAT", 8107, buffer.data(),
                                     qx4t::kFirmwareImageSize + 1);
         },
         {25021}},
        // The second image is not looked at once the first has failed: one box, not two.
        {"plain image missing",
         [&] {
             qx4t::res::unregisterData(wizardModule(), "DAT", 8104);
             qx4t::res::unregisterData(wizardModule(), "DAT", 8107);
         },
         {25015}},
        {"plain image stored compressed",
         [&] {
             qx4t::res::registerData(wizardModule(), "DAT", 8104, plain.data, plain.size, true);
         },
         {25016}},
    };
    installTestLanguageAndWizard();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restoreImages();
        c.arrange();
        ScriptedMessageBoxes boxes;
        for (int id : c.textIds) {
            boxes.expect(id, 25014, kWarning);
        }
        CBaseDlg dlg(9);
        ShowSpy spy;
        dlg.installEventFilter(&spy);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(spy.shows, 0);
        for (int page : kPages) {
            EXPECT_FALSE(CBaseDlgTestAccess::Page(dlg, page)->IsWindow()) << page;
        }
    }
}

TEST_F(FrameTest, APageThatCannotBeCreatedIsToldAndTheWizardEnds) {
    install(QStringLiteral("QX4T_VupDeu.so"));
    install(QStringLiteral("Qx4t_V0180.so"));
    ScriptedMessageBoxes boxes;
    boxes.expectApp(25000).withText(QStringLiteral("A page cannot be created."));
    CBaseDlg dlg(7);
    ShowSpy spy;
    dlg.installEventFilter(&spy);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(spy.shows, 0);
}

TEST_F(FrameTest, OpensOnTheDisclaimerWithItsButtonsAndBothImages) {
    installTestLanguageAndWizard();
    CBaseDlg dlg(9);
    ASSERT_EQ(dlg.GetIconList().size(), 1);
    ASSERT_EQ(dlg.GetStepImageList().size(), 2);  // 32 pixels wide: two pictures
    EXPECT_EQ(dlg.GetCurrentStepColor(), QColor(166, 202, 240));
    EXPECT_EQ(dlg.GetFinishStepColor(), QColor(255, 174, 201));
    // White is transparent in the step pictures.
    EXPECT_EQ(dlg.GetStepImageList()[0].toImage().pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(dlg.GetStepImageList()[0].toImage().pixelColor(8, 8), QColor(0, 0, 200));

    bool ran = false;
    runFrame(dlg, [&](CBaseDlg& d) {
        ran = true;
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.GetCurrentPage(), 8507);
        for (int page : kPages) {
            auto* p = CBaseDlgTestAccess::Page(d, page);
            EXPECT_TRUE(p->IsWindow()) << page;
            EXPECT_EQ(p->isVisible(), page == 8507) << page;
        }
        // Pages sit 7 pixels right of the first step label, the disclaimer where it says.
        EXPECT_EQ(CBaseDlgTestAccess::Page(d, 8501)->pos(), QPoint(30 + 100 + 7, 20));
        EXPECT_EQ(CBaseDlgTestAccess::Page(d, 8507)->pos(), QPoint(10, 10));
        for (int id : {8000, 8004, 8005, 8009, 8029, 8032}) {
            EXPECT_FALSE(d.itemShown(id)) << id;
        }
        struct {
            int id;
            bool shown, enabled;
        } buttons[] = {{8010, false, false},
                       {8011, true, false},
                       {IDCANCEL, true, true},
                       {8012, false, false},
                       {IDOK, false, false}};
        for (const auto& b : buttons) {
            EXPECT_EQ(d.itemShown(b.id), b.shown) << b.id;
            EXPECT_EQ(d.itemEnabled(b.id), b.enabled) << b.id;
        }
        EXPECT_TRUE(d.closeEnabled());
        EXPECT_EQ(d.defaultButton(), 8011);
        EXPECT_EQ(d.GetFWUpdateDataPtr(), qx4t::firmware::plainImage().data);
        EXPECT_EQ(d.GetFWUpdateDataSize(), qx4t::kFirmwareImageSize);
        EXPECT_EQ(d.GetEthernetFWUpdateDataPtr(), qx4t::firmware::ethernetImage().data);
        EXPECT_EQ(d.GetEthernetWUpdateDataSize(), qx4t::kFirmwareImageSize);
        EXPECT_EQ(d.GetTargetFWVer(), L"01.80");
    });
    EXPECT_TRUE(ran);
}

TEST_F(FrameTest, TheDisclaimerIsShownOnceAndTopBringsFreshPagesAndState) {
    installTestLanguageAndWizard();
    CBaseDlg dlg(9);
    runFrame(dlg, [](CBaseDlg& d) {
        d.OnBnClickedNext();
        EXPECT_EQ(d.GetCurrentPage(), 8501);
        EXPECT_TRUE(d.itemShown(8005));
        EXPECT_TRUE(d.itemShown(8032));
        EXPECT_FALSE(CBaseDlgTestAccess::Page(d, 8507)->isVisible());
        EXPECT_TRUE(CBaseDlgTestAccess::Page(d, 8501)->isVisible());

        *d.GetPortPtr() = L"pts/7";
        // Marked, not remembered by address: a fresh control may be given the old one's memory.
        CBaseDlgTestAccess::Page(d, 8501)->item(8041)->setProperty("qx4tBeforeTop", true);
        d.OnBnClickedTop();
        EXPECT_EQ(d.GetCurrentPage(), 8501);
        EXPECT_TRUE(d.GetPortPtr()->empty());
        EXPECT_TRUE(CBaseDlgTestAccess::Page(d, 8501)->isVisible());
        EXPECT_FALSE(CBaseDlgTestAccess::Page(d, 8507)->isVisible());
        EXPECT_FALSE(
            CBaseDlgTestAccess::Page(d, 8501)->item(8041)->property("qx4tBeforeTop").isValid())
            << "the preparation page's controls are fresh";
    });
}

TEST_F(FrameTest, APageReportingFailureEndsTheWizardWithCancel) {
    installTestLanguageAndWizard();
    CBaseDlg dlg(9);
    QTimer::singleShot(0, &dlg, [&dlg] {
        EXPECT_EQ(CBaseDlgTestAccess::Page(dlg, 8502)->parentDialog()->SendMessage(
                      CBaseDlg::WM_MODECHG_END, 0, 0),
                  1);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(FrameTest, SeriesNameByExactModelCode) {
    ScriptedMessageBoxes boxes;
    boxes.expectApp(QStringLiteral("QX4T_VupThi Resource file cannot be read."));
    CBaseDlg dlg(9);
    const struct {
        const wchar_t* model;
        const wchar_t* series;
    } cases[] = {{L"B0", L"TR6W/TR6Z"}, {L"B1", L"TR6AW/TR6AZ"}, {L"b1", L"***"},
                 {L"", L"***"},         {L"B1 ", L"***"},        {L"B2", L"***"}};
    for (const auto& c : cases) {
        dlg.GetPlcStatusPtr()->strModel = c.model;
        EXPECT_EQ(dlg.GetPLCSeriesName(), c.series);
    }
}

TEST_F(FrameTest, ConvertReversesTheFourBytes) {
    EXPECT_EQ(CBaseDlg::Convert(255), 0xFF000000u);
    EXPECT_EQ(CBaseDlg::Convert(0), 0u);
    EXPECT_EQ(CBaseDlg::Convert(0x11223344u), 0x44332211u);
}

TEST_F(FrameTest, InitFlagResetsTheSharedState) {
    ScriptedMessageBoxes boxes;
    boxes.expectApp(QStringLiteral("QX4T_VupThi Resource file cannot be read."));
    CBaseDlg dlg(9);
    EXPECT_EQ(dlg.GetComPortPtr()->m_strPort, L"/dev/ttyS9");
    EXPECT_EQ(dlg.GetPlcStatusPtr()->strVersion, L"****");
    EXPECT_EQ(dlg.GetCurrentPage(), 8507);

    dlg.GetComPortPtr()->m_strPort = L"/dev/pts/7";
    *dlg.GetPlcStatusPtr() = stPlcStatus{L"B1", L"0170", L"81"};
    *dlg.GetPortPtr() = L"pts/7";
    *dlg.GetVerInfoPtr() = L"1.70";
    CBaseDlgTestAccess::InitFlag(dlg);
    EXPECT_EQ(dlg.GetComPortPtr()->m_strPort, L"/dev/ttyS9");
    EXPECT_EQ(dlg.GetComPortPtr()->m_hComm, -1);
    EXPECT_EQ(dlg.GetPlcStatusPtr()->strModel, L"");
    EXPECT_EQ(dlg.GetPlcStatusPtr()->strVersion, L"****");
    EXPECT_EQ(dlg.GetPlcStatusPtr()->strMode, L"");
    EXPECT_TRUE(dlg.GetPortPtr()->empty());
    EXPECT_TRUE(dlg.GetVerInfoPtr()->empty());
}

// A page's timer goes on firing while the link waits for the PLC, and a quit ends the wait.
TEST_F(FrameTest, TheLinkRunsTheLayersPumpWhileItWaits) {
    // The port outlives the frame, whose link still holds a handle on it.
    qx4t::VirtualClock clock;
    qx4t::test::FakeSerialPort port(clock);
    CComManager::SetPortFactory(port.factory());
    ScriptedMessageBoxes boxes;
    boxes.expectApp(QStringLiteral("QX4T_VupThi Resource file cannot be read."));
    CBaseDlg frame(9);  // installs the pump
    qx4t::ui::VirtualTime time(clock);

    struct Page : qx4t::ui::Dialog {
        Page() : Dialog(0) {}
        int ticks = 0;
        bool quitOnTick = false;
        void OnTimer(int) override {
            ++ticks;
            if (quitOnTick) {
                qx4t::ui::requestQuit();
            }
        }
    } page;
    page.SetTimer(1, std::chrono::milliseconds(500));

    CComManager* link = frame.GetComPortPtr();
    ASSERT_EQ(link->OpenPort(L"pts/1"), 0);
    const char request[] = "%EE#RMP49\r";
    EXPECT_EQ(link->SendRecv(request, 10, 2000), qx4t::link::kNoReply);
    EXPECT_EQ(page.ticks, 4);

    page.quitOnTick = true;
    EXPECT_EQ(link->SendRecv(request, 10, 5000), qx4t::link::kQuit);
    qx4t::ui::resetQuit();
    link->ClosePort();
    CComManager::SetPortFactory(nullptr);
}

// The real language libraries, when this build made them: the frame opens on the disclaimer.
class RealLanguageTest : public FrameTest, public ::testing::WithParamInterface<int> {};

TEST_P(RealLanguageTest, OpensOnTheDisclaimer) {
    const int language = GetParam();
    const QString file = QString::fromLatin1(qx4t::languageLibraryName(language).data());
    const QString built = QStringLiteral(QX4T_PROGRAM_DIR "/") + file;
    if (!QFile::exists(built)) {
        GTEST_SKIP() << file.toStdString() << " is not built";
    }
    install(file, built);
    install(QStringLiteral("Qx4t_V0180.so"));
    CBaseDlg dlg(language);
    bool ran = false;
    runFrame(dlg, [&](CBaseDlg& d) {
        ran = true;
        EXPECT_EQ(d.GetCurrentPage(), 8507);
        EXPECT_FALSE(d.windowTitle().isEmpty());
        EXPECT_TRUE(CBaseDlgTestAccess::Page(d, 8507)->isVisible());
        EXPECT_FALSE(CBaseDlgTestAccess::Page(d, 8501)->isVisible());
        EXPECT_TRUE(d.itemShown(8011));
        EXPECT_FALSE(d.itemEnabled(8011));
        const QString dir = qEnvironmentVariable("QX4T_BUILD_DIR", QDir::tempPath()) +
                            QStringLiteral("/screenshots");
        QDir().mkpath(dir);
        const QString base = dir + QStringLiteral("/frame_") + QFileInfo(file).baseName();
        EXPECT_TRUE(d.grab().save(base + QStringLiteral(".png")));
        d.OnBnClickedNext();
        EXPECT_TRUE(CBaseDlgTestAccess::Page(d, 8501)->isVisible());
        EXPECT_TRUE(d.itemShown(8005));
        EXPECT_TRUE(d.grab().save(base + QStringLiteral("_8501.png")));
    });
    EXPECT_TRUE(ran);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, RealLanguageTest, ::testing::Range(0, qx4t::kLanguageCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(qx4t::FindLanguage(info.param)->code);
                         });

}  // namespace
