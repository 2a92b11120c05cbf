// What a user of each language sees, measured on the widgets the layer builds from each
// language library: every text fits its control at the default font size and at 125 %,
// no character is drawn as the missing glyph, lines break where the language allows, and a
// text that names a button names it as that button reads.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/Languages.h"
#include "platform/res/Resources.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/LineBreaks.h"
#include "platform/ui/MessageBox.h"
#include "tests/platform/ui/support/UiTestSupport.h"

namespace {

using qx4t::kLanguageCount;

QString fromView(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

QString moduleOf(int language) {
    return fromView(qx4t::languageLibraryName(language)).chopped(3);
}

const QString kSeries = QStringLiteral("TR6AW/TR6AZ");
const std::vector<int> kPages = {8501, 8502, 8503, 8504, 8505, 8507};

QString text(int id, const QStringList& args = {}) {
    return qx4t::ui::formatString(id, args);
}

// What the pages write into their controls while the wizard runs, each candidate on its own.
std::map<int, std::map<int, QStringList>> runtimeTexts() {
    const QString versions = text(20005, {QStringLiteral("1.70"), QStringLiteral("1.80")});
    return {
        {8501, {{8013, {text(20004, {QStringLiteral("01.80")})}}}},
        {8502, {{8015, {text(20001)}}}},
        {8504,
         {{8037, {text(20017)}},
          {8039, {kSeries}},
          {8026, {versions}},
          {8027, {text(20007), text(20008), text(20009), text(20010)}},
          {8040, {text(20019), text(20020)}}}},
        {8505, {{8039, {kSeries}}, {8026, {versions}}}},
        {8507, {{8044, {text(25028)}}}},
    };
}

struct Box {
    int textId;
    int captionId;  // 0: the application's box
    unsigned style;
    QStringList args;
};

// Every box a page or the frame can show, with the widest arguments it gets.
const std::vector<Box> kBoxes = {
    {25000, 0, MB_OK | MB_ICONEXCLAMATION, {}},
    {25015, 25014, MB_OK | MB_ICONEXCLAMATION, {}},
    {25016, 25014, MB_OK | MB_ICONEXCLAMATION, {}},
    {25021, 25014, MB_OK | MB_ICONEXCLAMATION, {}},
    {25013, 25014, MB_OK | MB_ICONEXCLAMATION, {}},
    {25001, 25002, MB_OK | MB_ICONEXCLAMATION, {}},
    {25022, 25002, MB_OK | MB_ICONEXCLAMATION, {}},
    {25017, 25018, MB_OK | MB_ICONEXCLAMATION, {}},
    {25003, 25004, MB_OK | MB_ICONEXCLAMATION, {}},
    {25007, 25008, MB_OK | MB_ICONEXCLAMATION, {}},
    {25009, 25010, MB_OK | MB_ICONEXCLAMATION, {}},
    {25005, 25006, MB_OK | MB_ICONINFORMATION, {}},
    {20011, 20012, MB_OK | MB_ICONINFORMATION, {}},
    {20018, 20003, MB_OKCANCEL | MB_ICONINFORMATION, {kSeries, "1.70", "1.80"}},
    {20013, 20003, MB_YESNO | MB_ICONEXCLAMATION, {}},
    {20006, 20003, MB_YESNO | MB_ICONEXCLAMATION, {}},
    {25011, 25012, MB_RETRYCANCEL | MB_ICONEXCLAMATION, {}},
    {26009, 26010, MB_RETRYCANCEL | MB_ICONEXCLAMATION, {}},
    {26001, 26002, MB_OK | MB_ICONEXCLAMATION, {}},
    {26003, 26004, MB_OK | MB_ICONEXCLAMATION, {}},  // with each cause below
    {26005, 26006, MB_OK | MB_ICONEXCLAMATION, {}},
    {26007, 26008, MB_OK | MB_ICONEXCLAMATION, {"usb-serial-FT4ABCDEFGH"}},
    {26011, 26008, MB_OK | MB_ICONEXCLAMATION, {"serial/by-id/usb-Temlo_PLC_0001-if00"}},
    {26012, 26013, MB_OK | MB_ICONEXCLAMATION, {"qx4t-vup (pid 4194303, user fleet-service)"}},
    {26020, 26023, MB_OK | MB_ICONEXCLAMATION, {"/dev/ttyUSB0"}},
    {26021, 26023, MB_OK | MB_ICONEXCLAMATION, {"/dev/ttyUSB0", "dialout"}},
    {26022, 26023, MB_OK | MB_ICONEXCLAMATION, {"/dev/ttyUSB0", "dialout"}},
};

// Why the record of an update cannot be written, as 26003 tells it, with the longest path.
const std::vector<int> kFileCauses = {26040, 26041, 26042, 26043, 26044, 26045, 26046};
const QString kStateFile = QStringLiteral("/home/technician/.local/state/qx4t/pending-updates");

// The boxes as shown: 26003 once for each cause.
std::vector<std::pair<Box, QString>> shownBoxes(const QString& code) {
    std::vector<std::pair<Box, QString>> shown;
    for (const Box& box : kBoxes) {
        const QString name = QStringLiteral("box_%1_%2").arg(code).arg(box.textId);
        if (box.textId != 26003) {
            shown.emplace_back(box, name);
            continue;
        }
        for (int cause : kFileCauses) {
            Box withCause = box;
            withCause.args = {text(cause), kStateFile};
            shown.emplace_back(withCause, name + QStringLiteral("_%1").arg(cause));
        }
    }
    return shown;
}

QString withoutMnemonic(QString s) {
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^)]\\)"));
    s.remove(bracketed);
    s.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    s.remove(QLatin1Char('&'));
    s.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return s;
}

// --- Line breaks ---------------------------------------------------------------------------

struct Line {
    QString text;
    bool startsParagraph;
    int start;
};

// The lines a word-wrapped label draws: Qt's text layout at the label's text width.
std::vector<Line> linesOf(const QLabel& label, const QString& value) {
    QString t = value;
    std::set<qsizetype> paragraphStarts{0};
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == u'\n') {
            paragraphStarts.insert(i + 1);
            t[i] = QChar::LineSeparator;
        }
    }
    QTextLayout layout(t, label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const int width =
        label.contentsRect().width() - 2 * label.margin() - std::max(label.indent(), 0);
    std::vector<Line> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const int start = line.textStart();
        lines.push_back(
            {t.mid(start, line.textLength()), paragraphStarts.count(start) != 0, start});
    }
    layout.endLayout();
    return lines;
}

struct Marks {
    QString opening;
    QString closing;
    std::vector<std::pair<QChar, QChar>> quotes;  // around a name that must stay on one line
};

Marks marksOf(const QString& code) {
    Marks m;
    m.opening = QStringLiteral("（([［「『【〔〈《‘«");
    m.closing = QStringLiteral(
        "、。，．,.:;：；？！?!)）]］」』】〕〉》’»…ー・ぁぃぅぇぉっゃゅょァィゥェォッャュョ");
    m.quotes = {{u'«', u'»'}, {u'「', u'」'}, {u'［', u'］'}, {u'[', u']'}};
    if (code == QLatin1String("de")) {
        m.opening += QStringLiteral("„‚");
        m.closing += QStringLiteral("“‘");
        m.quotes.push_back({u'„', u'“'});
    } else {
        m.opening += QStringLiteral("“");
        m.closing += QStringLiteral("”");
        m.quotes.push_back({u'“', u'”'});
    }
    return m;
}

// Breaks that a reader of the language would call wrong: a line left with one character, a
// line that starts with a closing mark or ends with an opening one, a quoted name cut in two.
QStringList badBreaks(const std::vector<Line>& lines, const QString& whole, const Marks& marks) {
    QStringList bad;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].text.trimmed().remove(QChar::LineSeparator);
        if (line.isEmpty()) {
            continue;
        }
        if (!lines[i].startsParagraph) {
            const auto letters = std::count_if(line.begin(), line.end(),
                                               [](QChar c) { return c.isLetterOrNumber(); });
            if (letters <= 1) {
                bad << QStringLiteral("strands \"%1\"").arg(line);
            }
            if (marks.closing.contains(line.front())) {
                bad << QStringLiteral("line starts with a closing mark: \"%1\"").arg(line);
            }
        }
        if (i + 1 < lines.size() && !lines[i + 1].startsParagraph &&
            marks.opening.contains(line.back())) {
            bad << QStringLiteral("line ends with an opening mark: \"%1\"").arg(line);
        }
    }
    QString t = whole;
    t.replace(QLatin1Char('\n'), QChar::LineSeparator);
    for (const auto& [open, close] : marks.quotes) {
        for (qsizetype from = t.indexOf(open); from >= 0; from = t.indexOf(open, from + 1)) {
            const qsizetype to = t.indexOf(close, from + 1);
            if (to < 0 || to - from > 32) {
                continue;
            }
            for (const Line& line : lines) {
                if (line.start > from && line.start <= to) {
                    bad << QStringLiteral("breaks inside %1").arg(t.mid(from, to - from + 1));
                }
            }
        }
    }
    return bad;
}

// --- Fit --------------------------------------------------------------------------------------

std::string nameOf(const QWidget* w) {
    return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                      : w->objectName())
        .toStdString();
}

// Every visible control inside its parent, clear of its visible siblings, and large enough for
// its text as Qt lays it out.
void expectFits(QWidget* root, const Marks& marks) {
    std::vector<QWidget*> all{root};
    for (QWidget* w : root->findChildren<QWidget*>()) {
        all.push_back(w);
    }
    for (QWidget* w : all) {
        if (!w->isVisibleTo(root) && w != root) {
            continue;
        }
        SCOPED_TRACE(nameOf(w));
        if (w != root && w->parentWidget() != nullptr && !w->isWindow()) {
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
                << "outside its parent " << nameOf(w->parentWidget());
            for (QWidget* sibling :
                 w->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (sibling != w && sibling->isVisibleTo(root) && !sibling->isWindow() &&
                    sibling->geometry().intersects(w->geometry())) {
                    ADD_FAILURE() << "overlaps " << nameOf(sibling);
                }
            }
        }
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << "clipped: " << label->text().toStdString();
                if (label->textFormat() != Qt::RichText && !Qt::mightBeRichText(label->text())) {
                    const QStringList bad =
                        badBreaks(linesOf(*label, label->text()), label->text(), marks);
                    EXPECT_TRUE(bad.isEmpty()) << bad.join(QStringLiteral("; ")).toStdString()
                                               << " in " << label->width() << " px: "

                                               << label->text().toStdString();
                }
            } else {
                EXPECT_LE(label->sizeHint().width(), label->width())
                    << "clipped: " << label->text().toStdString();
                EXPECT_LE(label->minimumSizeHint().height(), label->height())
                    << "clipped: " << label->text().toStdString();
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button && !button->text().isEmpty()) {
            EXPECT_LE(button->sizeHint().width(), button->width())
                << "clipped: " << button->text().toStdString();
            EXPECT_LE(button->sizeHint().height(), button->height())
                << "clipped: " << button->text().toStdString();
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
            // It scrolls, so only its line breaks count: as its document laid them out.
            for (QTextBlock block = edit->document()->begin(); block.isValid();
                 block = block.next()) {
                std::vector<Line> lines;
                for (int i = 0; i < block.layout()->lineCount(); ++i) {
                    const QTextLine line = block.layout()->lineAt(i);
                    lines.push_back({block.text().mid(line.textStart(), line.textLength()), i == 0,
                                     line.textStart()});
                }
                const QStringList bad = badBreaks(lines, block.text(), marks);
                EXPECT_TRUE(bad.isEmpty()) << bad.join(QStringLiteral("; ")).toStdString();
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i) {
                EXPECT_LE(combo->fontMetrics().horizontalAdvance(combo->itemText(i)), field.width())
                    << "elided: " << combo->itemText(i).toStdString();
            }
        }
    }
}

// --- Glyphs -----------------------------------------------------------------------------------

bool drawsMissingGlyph(const QString& value, const QFont& font) {
    QString t = value;
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTextLayout layout(t, font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(100000);
    }
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        if (std::find(glyphs.begin(), glyphs.end(), 0u) != glyphs.end()) {
            return true;
        }
    }
    return false;
}

// The characters of the text that come out as the missing glyph, for the message.
QString missingCharacters(const QString& value, const QFont& font) {
    QString missing;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, value);
    for (qsizetype start = 0, end = graphemes.toNextBoundary(); end > 0;
         start = end, end = graphemes.toNextBoundary()) {
        const QString g = value.mid(start, end - start);
        if (!g.trimmed().isEmpty() && drawsMissingGlyph(g, font)) {
            missing += g + QStringLiteral(" (U+%1) ").arg(g[0].unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return missing;
}

// The families that draw the Han characters of the text (none when it has none).
QSet<QString> hanFamilies(const QString& value, const QFont& font) {
    QString han;
    for (QChar c : value) {
        if (c.script() == QChar::Script_Han) {
            han += c;
        }
    }
    QSet<QString> families;
    if (han.isEmpty()) {
        return families;
    }
    QTextLayout layout(han, font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(100000);
    }
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        families.insert(run.rawFont().familyName());
    }
    return families;
}

// Beside the other screenshots, for a reader of each language to look at.
QString screenshotPath(const QString& name) {
    const QString dir =
        qEnvironmentVariable("QX4T_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".png");
}

// --- The fixture ------------------------------------------------------------------------------

class TextFitTest : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        qx4t::test::ensureApplication();
        desktopFont() = QApplication::font();
    }
    static QFont& desktopFont() {
        static QFont font;
        return font;
    }

    void SetUp() override {
        for (int language = 0; language < kLanguageCount; ++language) {
            qx4t::res::removeFromChain(qx4t::res::findModule(moduleOf(language)));
        }
        QApplication::setFont(desktopFont());
        const std::string path =
            std::string(QX4T_PROGRAM_DIR "/") + std::string(qx4t::languageLibraryName(GetParam()));
        module = qx4t::res::loadLibrary(path);
        ASSERT_NE(module, nullptr) << path;
        code = fromView(qx4t::FindLanguage(GetParam())->code);
        marks = marksOf(code);
    }
    void TearDown() override {
        qx4t::res::removeFromChain(module);
        QApplication::setFont(desktopFont());
    }

    static void scaleFont(double factor) {
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * factor);
        QApplication::setFont(font);
    }

    // A page as the frame holds it: created from its template inside a host window.
    std::unique_ptr<qx4t::ui::Dialog> page(int id, QWidget* host) {
        auto dialog = std::make_unique<qx4t::ui::Dialog>(id);
        EXPECT_TRUE(dialog->Create(id, host)) << id;
        return dialog;
    }

    // Shows the box through the layer as the wizard does and hands it over before closing it.
    void withBox(const Box& box, const std::function<void(QMessageBox&)>& inspect) {
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (shown == nullptr) {
                ADD_FAILURE() << "no box for " << box.textId;
                return;
            }
            inspect(*shown);
            shown->buttons().front()->click();
        });
        if (box.captionId == 0) {
            qx4t::ui::appMessageBox(box.textId);
        } else {
            qx4t::ui::messageBox(nullptr, box.textId, box.captionId, box.style, box.args);
        }
    }

    qx4t::res::ModuleHandle module = nullptr;
    QString code;
    Marks marks;
};

TEST_P(TextFitTest, EveryControlOfEveryPageHoldsItsTextsAtDefaultAnd125Percent) {
    const auto runtime = runtimeTexts();
    for (double factor : {1.0, 1.25}) {
        SCOPED_TRACE(factor == 1.0 ? "default font size" : "125 %");
        scaleFont(factor);
        qx4t::ui::Dialog frame(8500);
        ASSERT_TRUE(frame.Create(8500, nullptr));
        frame.show();
        QApplication::processEvents();
        {
            SCOPED_TRACE(8500);
            expectFits(&frame, marks);
        }
        for (int id : kPages) {
            SCOPED_TRACE(id);
            auto dialog = page(id, &frame);
            dialog->show();
            QApplication::processEvents();
            expectFits(dialog.get(), marks);
            if (factor == 1.0) {
                EXPECT_TRUE(dialog->grab().save(
                    screenshotPath(QStringLiteral("page_%1_%2").arg(code).arg(id))));
            }
            // The frame's page area holds the page.
            const QRect step = frame.item(8005)->geometry();
            const QRect area(frame.item(8005)->mapTo(&frame, QPoint(step.width() + 7, 0)),
                             dialog->size());
            if (id != 8507) {
                EXPECT_TRUE(frame.rect().contains(area))
                    << "page " << dialog->width() << "x" << dialog->height() << " at " << area.x()
                    << "," << area.y() << " in frame " << frame.width() << "x" << frame.height();
                EXPECT_LT(area.bottom(), frame.item(IDCANCEL)->mapTo(&frame, QPoint()).y());
            }
            const auto texts = runtime.find(id);
            if (texts == runtime.end()) {
                continue;
            }
            for (const auto& [control, candidates] : texts->second) {
                for (const QString& value : candidates) {
                    if (auto* combo = dialog->comboBox(control)) {
                        combo->clear();
                        combo->addItem(value);
                    } else {
                        dialog->setItemText(control, value);
                    }
                    QApplication::processEvents();
                    SCOPED_TRACE(value.toStdString());
                    expectFits(dialog.get(), marks);
                }
            }
            // The connect page's second view shares the place of the first.
            if (id == 8502) {
                for (int hidden : {8020, 8019, 8017, 8018}) {
                    dialog->showItem(hidden, false);
                }
                for (int shown : {8023, 8024}) {
                    dialog->showItem(shown, true);
                }
                QApplication::processEvents();
                expectFits(dialog.get(), marks);
            }
        }
        frame.DestroyWindow();
        QApplication::setFont(desktopFont());
    }
}

TEST_P(TextFitTest, EveryMessageBoxHoldsItsTextAndButtonsAtDefaultAnd125Percent) {
    for (double factor : {1.0, 1.25}) {
        SCOPED_TRACE(factor == 1.0 ? "default font size" : "125 %");
        scaleFont(factor);
        for (const auto& [box, name] : shownBoxes(code)) {
            SCOPED_TRACE(name.toStdString());
            withBox(box, [&](QMessageBox& shown) {
                QApplication::processEvents();
                expectFits(&shown, marks);
                const QRect screen = shown.screen()->availableGeometry();
                EXPECT_LE(shown.width(), screen.width());
                EXPECT_LE(shown.height(), screen.height());
                EXPECT_FALSE(shown.windowTitle().isEmpty());
                if (factor == 1.0) {
                    EXPECT_TRUE(shown.grab().save(screenshotPath(name)));
                }
            });
        }
        QApplication::setFont(desktopFont());
    }
}

TEST_P(TextFitTest, NoCharacterIsDrawnAsTheMissingGlyph) {
    // Everything the language shows: the string table, the layouts, and Qt's own texts.
    std::vector<std::pair<QString, QFont>> shown;
    for (int id = 20001; id <= 26099; id = id == 20020 ? 25000 : id == 25028 ? 26000 : id + 1) {
        if (const QString s = qx4t::res::loadString(module, id); !s.isEmpty()) {
            shown.emplace_back(s, QApplication::font());
        }
    }
    QWidget host;
    std::vector<std::unique_ptr<qx4t::ui::Dialog>> dialogs;
    dialogs.push_back(page(8500, nullptr));
    for (int id : kPages) {
        dialogs.push_back(page(id, &host));
    }
    for (const auto& dialog : dialogs) {
        shown.emplace_back(dialog->windowTitle(), QApplication::font());
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            QString value;
            if (auto* label = qobject_cast<QLabel*>(w)) {
                value = label->text().remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                value = withoutMnemonic(button->text());
            } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
                value = edit->toPlainText();
            }
            for (const QString& s : {value, w->toolTip(), w->accessibleName()}) {
                if (!s.isEmpty()) {
                    shown.emplace_back(s, w->font());
                }
            }
        }
    }
    for (const char* source : {"OK", "Cancel", "&Yes", "&No", "Retry"}) {
        shown.emplace_back(withoutMnemonic(QCoreApplication::translate("QPlatformTheme", source)),
                           QApplication::font());
    }
    for (const char* source : {"&Copy", "Copy &Link Location", "Select All"}) {
        shown.emplace_back(
            withoutMnemonic(QCoreApplication::translate("QWidgetTextControl", source)),
            QApplication::font());
    }
    QString all;
    for (const auto& [value, font] : shown) {
        EXPECT_FALSE(drawsMissingGlyph(value, font))
            << value.toStdString() << ": " << missingCharacters(value, font).toStdString();
        all += value;
    }
    // Han characters in the face of the language that writes them.
    const std::map<QString, QString> hanFace = {{"ja", "Noto Sans CJK JP"},
                                                {"zh_CN", "Noto Sans CJK SC"},
                                                {"zh_TW", "Noto Sans CJK TC"},
                                                {"ko", "Noto Sans CJK KR"}};
    if (const auto face = hanFace.find(code); face != hanFace.end()) {
        const QSet<QString> families = hanFamilies(all, QApplication::font());
        if (code != QLatin1String("ko")) {
            EXPECT_FALSE(families.isEmpty());
        }
        for (const QString& family : families) {
            EXPECT_EQ(family, face->second);
        }
    }
}

TEST_P(TextFitTest, TextsNameEachButtonExactlyAsTheButtonReads) {
    QWidget host;
    auto frame = page(8500, nullptr);
    const auto frameButton = [&](int id) {
        return withoutMnemonic(frame->button(id)->text())
            .remove(QLatin1Char('<'))
            .remove(QLatin1Char('>'))
            .trimmed();
    };
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
    const auto boxButton = [&](QMessageBox::StandardButton b) {
        return withoutMnemonic(box.button(b)->text()).trimmed();
    };
    const QString next = frameButton(8011);
    const QString cancel = frameButton(IDCANCEL);
    const QString ok = frameButton(IDOK);
    const QString top = frameButton(8012);
    const QString retry = boxButton(QMessageBox::Retry);
    const QString boxCancel = boxButton(QMessageBox::Cancel);
    if (code != QLatin1String("en")) {
        EXPECT_NE(retry, QStringLiteral("Retry")) << "Qt's buttons are not in the language";
        EXPECT_NE(boxCancel, QStringLiteral("Cancel")) << "Qt's buttons are not in the language";
    }

    const auto layoutText = [&](int pageId, const char* name) {
        auto p = page(pageId, &host);
        auto* label = p->findChild<QLabel*>(QString::fromLatin1(name));
        return label ? qx4t::ui::withoutJoiners(label->text()) : QString();
    };
    struct Naming {
        std::string where;
        QString text;
        QStringList buttons;
    };
    const std::vector<Naming> namings = {
        {"string 20007", text(20007), {next}},
        {"string 25011", text(25011), {retry, boxCancel}},
        {"string 26009", text(26009), {retry, boxCancel}},
        {"string 26005", text(26005), {next}},
        {"string 25028", text(25028), {next, cancel}},
        {"connect guide", layoutText(8502, "IDC_8019"), {next}},
        {"mode check guide", layoutText(8503, "stGuide"), {next}},
        {"finish hint", layoutText(8505, "stHint"), {ok, top}},
    };
    for (const Naming& n : namings) {
        SCOPED_TRACE(n.where);
        ASSERT_FALSE(n.text.isEmpty());
        for (const QString& name : n.buttons) {
            bool named = false;
            if (code == QLatin1String("en")) {
                named = n.text.contains(QRegularExpression(
                    QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(name))));
            } else {
                // Quoted as the language quotes a name (French with its no-break spaces).
                const QString space = QStringLiteral("[\\s\\x{00A0}\\x{202F}]?");
                for (const auto& [open, close] : marks.quotes) {
                    named = named || n.text.contains(QRegularExpression(
                                         QRegularExpression::escape(open) + space +
                                         QRegularExpression::escape(name) + space +
                                         QRegularExpression::escape(close)));
                }
            }
            EXPECT_TRUE(named) << "\"" << name.toStdString() << "\" not named in "
                               << n.text.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, TextFitTest, ::testing::Range(0, kLanguageCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(qx4t::FindLanguage(info.param)->code);
                         });

TEST(ThaiText, BreaksAtWordBoundariesWithoutSpaces) {
    qx4t::test::ensureApplication();
    // "firmware version-up" written as Thai writes it, without spaces between the words.
    const QString phrase = QStringLiteral("การอัปเกรดเวอร์ชันเฟิร์มแวร์");
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, phrase);
    std::set<qsizetype> breaks;
    for (qsizetype at = lines.toNextBoundary(); at > 0 && at < phrase.size();
         at = lines.toNextBoundary()) {
        breaks.insert(at);
    }
    // Without libthai Qt finds no break inside a run of Thai letters.
    EXPECT_FALSE(breaks.empty()) << "is libthai0 installed?";
    for (qsizetype at : breaks) {
        EXPECT_TRUE(phrase.left(at).endsWith(QStringLiteral("การ")) ||
                    phrase.left(at).endsWith(QStringLiteral("อัปเกรด")) ||
                    phrase.left(at).endsWith(QStringLiteral("เวอร์ชัน")))
            << "break inside a word: " << phrase.left(at).toStdString() << " | "
            << phrase.mid(at).toStdString();
    }
}

}  // namespace
