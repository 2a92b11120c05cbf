// Builds one operating manual as PDF from its Markdown source and the language's string table.
// The manual quotes every message by id ({{25001}}), so what it shows is exactly what the
// wizard shows in that language, and a message the wizard gains without the manual explaining
// it is caught here rather than in the field.
//
//   qx4t_manual SOURCE.md STRINGS.ts OUTPUT.pdf FONT-FAMILY VERSION
//   qx4t_manual --check SOURCE.md STRINGS.ts     (every message of the table is explained)
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHashSeed>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/ui/Breaks.h"

namespace {

// Message ids from here on are shown in message boxes; the manual explains each of them.
constexpr int kFirstMessageId = 25000;
// The disclaimer page's own text: shown on a page, not in a message box.
constexpr int kDisclaimerText = 25028;

int fail(const QString& message) {
    std::fprintf(stderr, "qx4t_manual: %s\n", qPrintable(message));
    return 1;
}

bool readFile(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

// The translation of each message, or its source where the translation is missing.
bool readStrings(const QString& path, QMap<int, QString>& strings, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + ": " + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    int id = -1;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
            id = xml.attributes().value(QLatin1String("id")).toInt();
            source.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText();
            strings[id] = translation.isEmpty() ? source : translation;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message") &&
                   !strings.contains(id)) {
            strings[id] = source;
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("%1: line %2: %3")
                    .arg(path)
                    .arg(xml.lineNumber())
                    .arg(xml.errorString());
        return false;
    }
    return true;
}

const QRegularExpression& placeholder() {
    static const QRegularExpression re(QStringLiteral(R"(\{\{(\d+)\}\})"));
    return re;
}

// Where a message takes a port or a version when the wizard shows it (%1, %2, ...).
const QRegularExpression& argumentMarker() {
    static const QRegularExpression re(QStringLiteral("%[1-9][0-9]?"));
    return re;
}

// Puts each quoted message in place. A message of several lines keeps its line breaks and
// stays inside the quote or list item that the placeholder's line opened.
bool expand(const QString& source, const QMap<int, QString>& strings, QString& out,
            QString& error) {
    static const QRegularExpression lead(QStringLiteral(R"(^[> ]*)"));
    const QStringList lines = source.split(QLatin1Char('\n'));
    QStringList result;
    for (const QString& line : lines) {
        const QString prefix = lead.match(line).captured(0);
        QString expanded;
        qsizetype at = 0;
        auto it = placeholder().globalMatch(line);
        while (it.hasNext()) {
            const auto m = it.next();
            const int id = m.captured(1).toInt();
            if (!strings.contains(id)) {
                error = QStringLiteral("message %1 is not in the string table").arg(id);
                return false;
            }
            // The manual quotes a message in general: where the wizard fills in a port or a
            // version, the reader sees an ellipsis, not the table's %1.
            QString text = strings.value(id);
            text.replace(argumentMarker(), QStringLiteral("\u2026"));
            QStringList parts = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            expanded += line.mid(at, m.capturedStart() - at);
            expanded += parts.join(QStringLiteral("\\\n") + prefix);
            at = m.capturedEnd();
        }
        expanded += line.mid(at);
        result << expanded;
    }
    out = result.join(QLatin1Char('\n'));
    return true;
}

// QPdfWriter writes the time it runs at as the creation date and has no setter for it. A build
// that sets SOURCE_DATE_EPOCH gets that date instead, written over Qt's in place (the same
// length, so the cross-reference offsets stay right): two builds then give the same file.
bool setCreationDate(QByteArray& pdf, QString& error) {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty())
        return true;
    bool ok = false;
    const qint64 seconds = epoch.toLongLong(&ok);
    if (!ok) {
        error = QStringLiteral("SOURCE_DATE_EPOCH is not a number: ") + QString::fromLatin1(epoch);
        return false;
    }
    static const QRegularExpression date(
        QStringLiteral(R"(/CreationDate \(D:(\d{14})(Z|[+-]\d\d'\d\d')\))"));
    const QString text = QString::fromLatin1(pdf);
    const auto m = date.match(text);
    if (!m.hasMatch()) {
        error = QStringLiteral("Qt wrote no creation date to replace");
        return false;
    }
    const QString stamp =
        QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(QStringLiteral("yyyyMMddHHmmss"));
    const QString zone =
        m.captured(2) == QLatin1String("Z") ? QStringLiteral("Z") : QStringLiteral("+00'00'");
    pdf.replace(m.capturedStart(1), m.capturedLength(1) + m.capturedLength(2),
                (stamp + zone).toLatin1());
    return true;
}

// Breaks every line of the document as the wizard breaks its texts (Breaks.h), at the widths
// that print() gives its copy of the document: laid out on the writer, 2 cm inside the page.
// Qt then keeps those lines, since each fits.
void breakAsTheWizard(QTextDocument& document, QPdfWriter& pdf, const qx4t::ui::BreakRules& rules) {
    // 2 cm at the screen's resolution, which the layout scales to the writer's.
    const int margin = static_cast<int>((2 / 2.54) * 96);
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    const QTextFrameFormat before = frame;
    frame.setMargin(margin);
    document.rootFrame()->setFrameFormat(frame);
    document.documentLayout()->setPaintDevice(&pdf);
    document.setPageSize(QSizeF(pdf.width(), pdf.height()));
    (void)document.pageCount();  // lays the document out

    std::vector<std::pair<int, QString>> inserts;  // document position, what to insert
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // A heading's size is an adjustment that its fragments' faces do not hold: Qt breaks
        // the few headings that wrap.
        if (block.layout() == nullptr || block.layout()->lineCount() == 0 ||
            block.blockFormat().headingLevel() > 0) {
            continue;
        }
        // The width the layout gives the block's lines.
        const double width = block.layout()->lineAt(0).width();
        // Measured in the block's widest face, so that a line never overflows.
        std::vector<QFontMetricsF> faces;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QFont font = it.fragment().charFormat().font().resolve(document.defaultFont());
            faces.emplace_back(font, &pdf);
        }
        if (faces.empty()) {
            continue;
        }
        const auto measure = [&](const QString& piece) {
            double widest = 0;
            for (const QFontMetricsF& f : faces) {
                widest = std::max(widest, f.horizontalAdvance(piece));
            }
            return widest;
        };
        // Lines the source ends itself (a message of several lines) are broken one by one.
        const QString text = block.text();
        qsizetype from = 0;
        for (const QString& line : text.split(QChar::LineSeparator)) {
            const QString broken = qx4t::ui::breakText(line, rules, measure, width);
            qsizetype at = 0;  // in line
            for (qsizetype i = 0; i < broken.size(); ++i) {
                if (at < line.size() && broken[i] == line[at]) {
                    ++at;
                    continue;
                }
                if (inserts.empty() || inserts.back().first != block.position() + from + at) {
                    inserts.emplace_back(block.position() + from + at, QString());
                }
                inserts.back().second += broken[i];
            }
            from += line.size() + 1;
        }
    }
    // From the end, so that each position still holds.
    QTextCursor cursor(&document);
    for (auto it = inserts.rbegin(); it != inserts.rend(); ++it) {
        cursor.setPosition(it->first);
        cursor.insertText(it->second);
    }
    document.setPageSize(QSizeF());
    document.documentLayout()->setPaintDevice(nullptr);
    document.rootFrame()->setFrameFormat(before);
}

int check(const QString& sourcePath, const QString& stringsPath) {
    QString source;
    QString error;
    QMap<int, QString> strings;
    if (!readFile(sourcePath, source))
        return fail(sourcePath + ": cannot be read");
    if (!readStrings(stringsPath, strings, error))
        return fail(error);
    QSet<int> quoted;
    auto it = placeholder().globalMatch(source);
    while (it.hasNext())
        quoted.insert(it.next().captured(1).toInt());
    int missing = 0;
    for (auto s = strings.cbegin(); s != strings.cend(); ++s) {
        if (s.key() >= kFirstMessageId && s.key() != kDisclaimerText && !quoted.contains(s.key())) {
            fail(QStringLiteral("%1 does not explain message %2").arg(sourcePath).arg(s.key()));
            ++missing;
        }
    }
    // What the PDF would show: every quote in place, and no argument marker left in the text.
    QString markdown;
    if (!expand(source, strings, markdown, error))
        return fail(sourcePath + ": " + error);
    if (const auto left = argumentMarker().match(markdown); left.hasMatch()) {
        fail(QStringLiteral("%1: the manual would show \"%2\"")
                 .arg(sourcePath,
                      markdown.mid(std::max<qsizetype>(0, left.capturedStart() - 30), 40)));
        ++missing;
    }
    return missing == 0 ? 0 : 1;
}

int build(const QString& sourcePath, const QString& stringsPath, const QString& outputPath,
          const QString& family, const QString& version) {
    QString source;
    QString error;
    QMap<int, QString> strings;
    if (!readFile(sourcePath, source))
        return fail(sourcePath + ": cannot be read");
    if (!readStrings(stringsPath, strings, error))
        return fail(error);
    QString markdown;
    if (!expand(source.replace(QStringLiteral("{{version}}"), version), strings, markdown, error))
        return fail(sourcePath + ": " + error);
    // The glossary beside the manual names the words that never break inside.
    const QFileInfo where(sourcePath);
    const QString language = where.dir().dirName();
    QString glossary;
    if (!readFile(where.dir().filePath(QStringLiteral("glossary")), glossary))
        return fail(where.dir().filePath(QStringLiteral("glossary")) + ": cannot be read");
    markdown = qx4t::ui::withNoBreakSpaces(language, markdown);

    QTextDocument document;
    QFont font;
    font.setFamilies({family, QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(9.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);

    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
        const QString title = markdown.section(QLatin1Char('\n'), 0, 0)
                                  .remove(QRegularExpression(QStringLiteral("^#+\\s*")));
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("QX4T version-up tool %1").arg(version));
        breakAsTheWizard(document, pdf, qx4t::ui::breakRules(language, glossary));
        document.print(&pdf);
    }
    if (!setCreationDate(bytes, error))
        return fail(outputPath + ": " + error);

    // Written aside and renamed into place: an interrupted build leaves no half manual that a
    // later build would take as done.
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return fail(outputPath + ": " + file.errorString());
    if (!file.commit())
        return fail(outputPath + ": " + file.errorString());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Qt writes the fonts in the order of a hash table: with a fixed seed, the same order, and
    // the same file, in every run.
    QHashSeed::setDeterministicGlobalSeed();
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("--check"))
        return check(args[1], args[2]);
    if (args.size() == 5)
        return build(args[0], args[1], args[2], args[3], args[4]);
    return fail(
        QStringLiteral("usage: qx4t_manual SOURCE.md STRINGS.ts OUTPUT.pdf FONT VERSION | "
                       "--check SOURCE.md STRINGS.ts"));
}
