// Loads each language library the way the wizard does (by full path from the program folder)
// and checks what the wizard will look up in it: templates with their control ids, the string
// table, the pictures, and layouts that hold the texts of the language.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMovie>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTranslator>
#include <QUiLoader>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ProgramFolder.h"

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "lang_test";
    static char* argv[] = {name, nullptr};
    static QApplication instance(argc, argv);
    return instance;
}

// Loads a language library once for the whole run, as the wizard keeps it loaded.
void loadLibrary(const std::string& module) {
    static std::set<std::string> loaded;
    if (loaded.count(module) != 0) {
        return;
    }
    const std::string path = qx4t::programFolder() + module + ".so";
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << path << ": " << ::dlerror();
    loaded.insert(module);
}

QString root(const std::string& module) {
    return ":/" + QString::fromStdString(module) + "/";
}

std::unique_ptr<QWidget> loadTemplate(const std::string& module, int id) {
    QFile file(root(module) + QString("dialogs/%1.ui").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    QUiLoader loader;
    return std::unique_ptr<QWidget>(loader.load(&file));
}

template <class T>
T* control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QString("IDC_%1").arg(id));
}

// What the wizard looks up in each template, by the class the layer expects of it.
enum class Kind { Button, Label, Check, Radio, Combo, Progress, Text };
const std::map<int, std::vector<std::pair<int, Kind>>> kTemplates = {
    {8500,
     {{8011, Kind::Button},
      {8010, Kind::Button},
      {8012, Kind::Button},
      {2, Kind::Button},
      {1, Kind::Button},
      {8000, Kind::Label},
      {8001, Kind::Label},
      {8002, Kind::Label},
      {8003, Kind::Label},
      {8004, Kind::Label},
      {8005, Kind::Label},
      {8006, Kind::Label},
      {8007, Kind::Label},
      {8008, Kind::Label},
      {8009, Kind::Label},
      {8029, Kind::Label},
      {8030, Kind::Label},
      {8031, Kind::Label},
      {8032, Kind::Label}}},
    {8501, {{8013, Kind::Label}, {8014, Kind::Label}, {8041, Kind::Check}}},
    {8502,
     {{8015, Kind::Combo},
      {8016, Kind::Button},
      {8017, Kind::Radio},
      {8018, Kind::Radio},
      {8019, Kind::Label},
      {8020, Kind::Label},
      {8023, Kind::Label},
      {8024, Kind::Progress}}},
    {8503, {{8020, Kind::Label}, {8025, Kind::Check}}},
    {8504,
     {{8039, Kind::Label},
      {8037, Kind::Label},
      {8026, Kind::Label},
      {8027, Kind::Label},
      {8040, Kind::Label},
      {8028, Kind::Progress}}},
    {8505, {{8039, Kind::Label}, {8026, Kind::Label}}},
    {8507, {{8042, Kind::Label}, {8044, Kind::Text}, {8043, Kind::Check}}},
};

bool hasKind(QWidget* w, Kind kind) {
    switch (kind) {
        case Kind::Button:
            return qobject_cast<QPushButton*>(w) != nullptr;
        case Kind::Label:
            return qobject_cast<QLabel*>(w) != nullptr;
        case Kind::Check:
            return qobject_cast<QCheckBox*>(w) != nullptr;
        case Kind::Radio:
            return qobject_cast<QRadioButton*>(w) != nullptr;
        case Kind::Combo:
            return qobject_cast<QComboBox*>(w) != nullptr;
        case Kind::Progress:
            return qobject_cast<QProgressBar*>(w) != nullptr;
        case Kind::Text:
            return qobject_cast<QPlainTextEdit*>(w) != nullptr;
    }
    return false;
}

// String ids the wizard uses, with the number of format arguments each takes.
std::map<int, int> requiredStrings() {
    std::map<int, int> ids;
    for (int id = 20001; id <= 20013; ++id) {
        ids[id] = 0;
    }
    for (int id = 20017; id <= 20020; ++id) {
        ids[id] = 0;
    }
    for (int id = 25000; id <= 25018; ++id) {
        ids[id] = 0;
    }
    ids[25021] = ids[25022] = ids[25028] = 0;
    for (int id = 26001; id <= 26010; ++id) {
        ids[id] = 0;
    }
    // The record of the update cannot be written: the cause (one of 26040-26046) and the path.
    ids[26003] = 2;
    for (int id = 26040; id <= 26046; ++id) {
        ids[id] = 0;
    }
    ids[26007] = ids[26011] = ids[26012] = 1;
    ids[26013] = 0;
    ids[20004] = 1;
    ids[20005] = 2;
    ids[20018] = 3;
    // A port the user may not open: the device path, and the group that owns it.
    ids[26020] = 1;
    ids[26021] = ids[26022] = 2;
    ids[26023] = 0;
    return ids;
}

// Unused ids stay out, and 8109 must come from the wizard library alone: the chain would find
// the language library's copy first.
const std::vector<int> kAbsentStrings = {20014, 20015, 20016, 25019, 25020, 25023,
                                         25024, 25025, 25026, 25027, 8109};

QString lookUp(const QTranslator& table, int id) {
    return table.translate(nullptr, QByteArray::number(id).constData());
}

class LanguageLibraryTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        app();
        ASSERT_NO_FATAL_FAILURE(loadLibrary(GetParam()));
    }
    QString text(int id) {
        QTranslator table;
        EXPECT_TRUE(table.load(root(GetParam()) + "strings.qm"));
        return lookUp(table, id);
    }
};

TEST_P(LanguageLibraryTest, EveryTemplateLoadsWithEveryControlTheWizardUses) {
    for (const auto& [id, controls] : kTemplates) {
        SCOPED_TRACE(id);
        auto dialog = loadTemplate(GetParam(), id);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QString("IDD_%1").arg(id));
        EXPECT_NE(qobject_cast<QDialog*>(dialog.get()), nullptr);
        // The frame carries the tool's name; pages are captionless children.
        EXPECT_EQ(dialog->windowTitle().isEmpty(), id != 8500);
        for (const auto& [controlId, kind] : controls) {
            const auto found = dialog->findChildren<QWidget*>(QString("IDC_%1").arg(controlId));
            ASSERT_EQ(found.size(), 1) << "IDC_" << controlId;
            EXPECT_TRUE(hasKind(found[0], kind)) << "IDC_" << controlId;
        }
        for (auto* bar : dialog->findChildren<QProgressBar*>()) {
            EXPECT_EQ(bar->minimum(), 0);
            EXPECT_EQ(bar->maximum(), 100);
        }
        if (id != 8500) {
            EXPECT_EQ(dialog->size(), QSize(440, 300)) << "pages share one size";
        }
    }
}

TEST_P(LanguageLibraryTest, ControlsCanBeFoundAndNamedByAScreenReader) {
    for (const auto& [id, controls] : kTemplates) {
        SCOPED_TRACE(id);
        auto dialog = loadTemplate(GetParam(), id);
        ASSERT_NE(dialog, nullptr);
        std::set<QWidget*> labelled;
        for (auto* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy() != nullptr) {
                labelled.insert(label->buddy());
            }
        }
        for (auto* w : dialog->findChildren<QWidget*>()) {
            const bool needsName = qobject_cast<QProgressBar*>(w) || qobject_cast<QComboBox*>(w) ||
                                   qobject_cast<QPlainTextEdit*>(w);
            if (needsName) {
                EXPECT_TRUE(!w->accessibleName().isEmpty() || labelled.count(w) != 0)
                    << w->objectName().toStdString();
            }
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                EXPECT_FALSE(button->text().isEmpty() && button->accessibleName().isEmpty())
                    << w->objectName().toStdString();
            }
        }
    }
    // The manual link is reachable from the keyboard.
    auto page = loadTemplate(GetParam(), 8501);
    auto* link = control<QLabel>(page.get(), 8014);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->textInteractionFlags() & Qt::LinksAccessibleByKeyboard);
    EXPECT_FALSE(link->openExternalLinks()) << "the page opens the manual itself";
}

TEST_P(LanguageLibraryTest, FrameLeavesRoomForPagesRightOfTheStepList) {
    auto frame = loadTemplate(GetParam(), 8500);
    ASSERT_NE(frame, nullptr);
    frame->show();
    QApplication::processEvents();
    const QRect step = control<QWidget>(frame.get(), 8005)->geometry();
    const QRect page(step.x() + step.width() + 7, step.y(), 440, 300);
    const QMargins margins = frame->layout()->contentsMargins();
    EXPECT_TRUE(frame->rect().marginsRemoved(margins).contains(page))
        << "frame " << frame->width() << "x" << frame->height();
    for (int id : {8011, 8010, 8012, 2, 1}) {
        auto* button = control<QPushButton>(frame.get(), id);
        EXPECT_GT(button->y(), page.bottom()) << id;
        EXPECT_GE(button->width(), button->sizeHint().width()) << id;
    }
    for (int id = 8005; id <= 8009; ++id) {
        auto* label = control<QLabel>(frame.get(), id);
        EXPECT_GE(label->width(), label->sizeHint().width()) << "step label clipped: " << id;
        EXPECT_LT(label->geometry().right(), page.left()) << id;
    }
    // Hiding the step list (on the disclaimer) must not resize the window.
    const QSize size = frame->size();
    for (int id :
         {8000, 8001, 8002, 8003, 8004, 8005, 8006, 8007, 8008, 8009, 8029, 8030, 8031, 8032}) {
        control<QWidget>(frame.get(), id)->hide();
    }
    QApplication::processEvents();
    EXPECT_EQ(frame->size(), size);
    // The disclaimer stands where its template puts it, over the hidden step list.
    auto disclaimer = loadTemplate(GetParam(), 8507);
    EXPECT_TRUE(frame->rect().contains(disclaimer->geometry()));
    EXPECT_LT(disclaimer->geometry().bottom(), control<QWidget>(frame.get(), 2)->y());
}

TEST_P(LanguageLibraryTest, PagesHoldTheirLongestTextsWithoutClipping) {
    // Fill the texts the pages write with the longest each control gets.
    const auto longest = [&](std::initializer_list<int> ids) {
        QString best;
        for (int id : ids) {
            const QString t = text(id).replace("%1", "1.80");
            best = t.size() > best.size() ? t : best;
        }
        return best;
    };
    const std::map<int, QString> filled = {
        {8013, longest({20004})},
        {8037, longest({20017})},
        {8039, "TR6AW/TR6AZ"},
        {8026, text(20005).arg("10.80", "10.80")},
        {8027, longest({20007, 20008, 20009, 20010})},
        {8040, longest({20019, 20020})},
    };
    for (int id : {8501, 8502, 8503, 8504, 8505, 8507}) {
        SCOPED_TRACE(id);
        auto page = loadTemplate(GetParam(), id);
        ASSERT_NE(page, nullptr);
        for (const auto& [controlId, value] : filled) {
            if (auto* label = control<QLabel>(page.get(), controlId)) {
                label->setText(value);
            }
        }
        page->show();
        QApplication::processEvents();
        ASSERT_NE(page->layout(), nullptr);
        EXPECT_LE(page->layout()->totalMinimumSize().width(), page->width());
        const int needed = page->layout()->hasHeightForWidth()
                               ? page->layout()->totalHeightForWidth(page->width())
                               : page->layout()->totalMinimumSize().height();
        EXPECT_LE(needed, page->height()) << "texts do not fit the page";
        for (auto* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisible()) {
                continue;
            }
            EXPECT_TRUE(page->rect().contains(w->geometry())) << w->objectName().toStdString();
            const int wanted = w->hasHeightForWidth() ? w->heightForWidth(w->width())
                                                      : w->minimumSizeHint().height();
            EXPECT_GE(w->height(), wanted) << w->objectName().toStdString();
        }
    }
}

TEST_P(LanguageLibraryTest, ConnectPageOpensOnItsSelectionViewOverTheProgressView) {
    auto page = loadTemplate(GetParam(), 8502);
    ASSERT_NE(page, nullptr);
    page->show();
    QApplication::processEvents();
    for (int id : {8020, 8019, 8017, 8018}) {
        EXPECT_TRUE(control<QWidget>(page.get(), id)->isVisible()) << id;
    }
    for (int id : {8023, 8024}) {
        EXPECT_FALSE(control<QWidget>(page.get(), id)->isVisible()) << id;
    }
    EXPECT_TRUE(control<QRadioButton>(page.get(), 8017)->isChecked());
    const int selectionTop = control<QWidget>(page.get(), 8020)->y();
    for (int id : {8020, 8019, 8017, 8018}) {
        control<QWidget>(page.get(), id)->hide();
    }
    for (int id : {8023, 8024}) {
        control<QWidget>(page.get(), id)->show();
    }
    QApplication::processEvents();
    EXPECT_EQ(control<QWidget>(page.get(), 8023)->y(), selectionTop) << "the views share a place";
}

TEST_P(LanguageLibraryTest, StringTableHoldsEveryIdWithItsArgumentsAndNoOthers) {
    static const QRegularExpression placeholder("%(\\d)");
    for (const auto& [id, arguments] : requiredStrings()) {
        const QString value = text(id);
        EXPECT_FALSE(value.isEmpty()) << id;
        std::set<QString> seen;
        for (auto it = placeholder.globalMatch(value); it.hasNext();) {
            seen.insert(it.next().captured(1));
        }
        std::set<QString> expected;
        for (int n = 1; n <= arguments; ++n) {
            expected.insert(QString::number(n));
        }
        EXPECT_EQ(seen, expected) << id << ": " << value.toStdString();
    }
    for (int id : kAbsentStrings) {
        EXPECT_TRUE(text(id).isEmpty()) << id;
    }
}

TEST_P(LanguageLibraryTest, PicturesAreThereAndNothingNamed8109) {
    const QString base = root(GetParam());
    const QImage steps(base + "bitmaps/8105.png");
    ASSERT_FALSE(steps.isNull());
    EXPECT_EQ(steps.height(), 16);
    EXPECT_EQ(steps.width() % 16, 0);
    // White is the mask colour: the picture needs both masked and drawn pixels.
    bool white = false;
    bool ink = false;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            (steps.pixel(x, y) == qRgb(255, 255, 255) ? white : ink) = true;
        }
    }
    EXPECT_TRUE(white && ink);

    EXPECT_EQ(QImage(base + "icons/8103.png").size(), QSize(16, 16));
    for (int size : {16, 24, 32, 48}) {
        EXPECT_EQ(QImage(base + QString("icons/8103_%1.png").arg(size)).size(), QSize(size, size));
    }

    QMovie movie(base + "animations/8102.gif");
    ASSERT_TRUE(movie.isValid());
    EXPECT_GT(movie.frameCount(), 1);
    movie.jumpToFrame(0);
    EXPECT_EQ(movie.loopCount(), -1) << "loops for ever";
    EXPECT_FALSE(movie.currentImage().isNull());

    for (QDirIterator it(base, QDirIterator::Subdirectories); it.hasNext();) {
        EXPECT_FALSE(it.next().contains("8109")) << it.filePath().toStdString();
    }
}

// Everything in a library is built from this project's own sources (debian/copyright, "Files:
// *"): the layouts, the string table, the line-break rules, the pictures and our short list of
// Qt's texts. A file of anyone else's, such as a whole translation catalogue of Qt's, fails here.
TEST_P(LanguageLibraryTest, HoldsOnlyFilesBuiltFromOurOwnSources) {
    const QString base = root(GetParam());
    static const QRegularExpression own(QStringLiteral(
        R"(^(dialogs/85(00|01|02|03|04|05|07)\.ui|strings\.qm|qtbase\.qm|breaks|bitmaps/8105\.png|)"
        R"(icons/8103(_(16|24|32|48))?\.png|animations/8102\.gif)$)"));
    for (QDirIterator it(base, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = it.next().mid(base.size());
        EXPECT_TRUE(own.match(relative).hasMatch()) << relative.toStdString();
    }

    // Qt's texts are the few the wizard shows, not a catalogue of Qt's.
    QTranslator qt;
    if (GetParam() == "Qx4t_en") {
        EXPECT_FALSE(QFile::exists(base + "qtbase.qm")) << "English is Qt's own language";
        return;
    }
    ASSERT_TRUE(qt.load(base + "qtbase.qm"));
    EXPECT_FALSE(qt.translate("QPlatformTheme", "Retry").isEmpty());
    EXPECT_FALSE(qt.translate("QWidgetTextControl", "Select All").isEmpty());
    for (const char* beyond : {"Save All", "Discard", "Restore Defaults", "Help"}) {
        EXPECT_TRUE(qt.translate("QPlatformTheme", beyond).isEmpty()) << beyond;
    }
    EXPECT_TRUE(qt.translate("QMessageBox", "Show Details...").isEmpty());
    EXPECT_TRUE(qt.translate("QFileDialog", "Open").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageLibraryTest,
                         ::testing::Values("Qx4t_en", "Qx4t_ja", "QX4T_VupChs", "QX4T_VupCht",
                                           "QX4T_VupKor", "QX4T_VupEsp", "QX4T_VupIta",
                                           "QX4T_VupDeu", "QX4T_VupFra", "QX4T_VupThi"),
                         [](const auto& info) { return info.param; });

TEST(LanguageLibraries, JapaneseIsTranslatedThroughout) {
    app();
    ASSERT_NO_FATAL_FAILURE(loadLibrary("Qx4t_en"));
    ASSERT_NO_FATAL_FAILURE(loadLibrary("Qx4t_ja"));
    QTranslator en;
    QTranslator ja;
    ASSERT_TRUE(en.load(root("Qx4t_en") + "strings.qm"));
    ASSERT_TRUE(ja.load(root("Qx4t_ja") + "strings.qm"));
    for (const auto& entry : requiredStrings()) {
        EXPECT_NE(lookUp(en, entry.first), lookUp(ja, entry.first)) << entry.first;
    }
    for (int id : {8500, 8501, 8502, 8503, 8504, 8505, 8507}) {
        auto english = loadTemplate("Qx4t_en", id);
        auto japanese = loadTemplate("Qx4t_ja", id);
        ASSERT_TRUE(english && japanese);
        for (auto* button : english->findChildren<QAbstractButton*>()) {
            auto* other = japanese->findChild<QAbstractButton*>(button->objectName());
            ASSERT_NE(other, nullptr);
            if (button->text() != "OK" && !button->text().isEmpty()) {
                EXPECT_NE(button->text(), other->text()) << button->objectName().toStdString();
            }
        }
    }
}

}  // namespace
