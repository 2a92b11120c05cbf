#include "platform/ui/LineBreaks.h"

#include <QEvent>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "platform/res/Resources.h"
#include "platform/ui/Breaks.h"

namespace qx4t::ui {
namespace {

constexpr char16_t kJoiner = u'\u2060';
bool isParagraphEnd(QChar c) {
    return c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Boundaries of the given kind, 0 and size() included.
std::vector<qsizetype> boundaries(QTextBoundaryFinder::BoundaryType type, const QString& text) {
    std::vector<qsizetype> bounds{0};
    QTextBoundaryFinder finder(type, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
        bounds.push_back(at);
    }
    return bounds;
}

}  // namespace

QString keepLinesWhole(const QString& source) {
    const QString text = withoutJoiners(source);
    const std::vector<qsizetype> bounds = boundaries(QTextBoundaryFinder::Grapheme, text);
    const std::vector<qsizetype> lineBreaks = boundaries(QTextBoundaryFinder::Line, text);
    // Only where Qt would break: a text that cannot break there stays as it is.
    std::set<qsizetype> joins;
    const auto join = [&](qsizetype at) {
        if (std::binary_search(lineBreaks.begin(), lineBreaks.end(), at)) {
            joins.insert(at);
        }
    };

    // Inside a quoted name, between every two graphemes, marks included.
    for (const auto& [from, end] : quotedNames(text)) {
        for (qsizetype at : bounds) {
            if (at > from && at < end) {
                join(at);
            }
        }
    }

    // At the end of each paragraph, the last two letters (trailing marks stay with the last
    // one anyway). Between words there is a space, so only languages without spaces change.
    for (std::size_t i = bounds.size() - 1; i > 0; --i) {
        const qsizetype end = bounds[i];
        if (end != text.size() && !isParagraphEnd(text[end])) {
            continue;
        }
        // Walk back over trailing marks to the last letter, then take the one before it.
        std::size_t last = i;
        while (last > 0 && !text[bounds[last - 1]].isLetterOrNumber() &&
               !isParagraphEnd(text[bounds[last - 1]])) {
            --last;
        }
        if (last < 2) {
            continue;
        }
        const qsizetype lastLetter = bounds[last - 1];
        const qsizetype before = bounds[last - 2];
        if (text[lastLetter].isLetterOrNumber() && text[before].isLetterOrNumber()) {
            join(lastLetter);
        }
    }

    QString out;
    out.reserve(text.size() + static_cast<qsizetype>(joins.size()));
    qsizetype copied = 0;
    for (qsizetype at : joins) {
        out += QStringView(text).mid(copied, at - copied);
        out += QChar(kJoiner);
        copied = at;
    }
    out += QStringView(text).mid(copied);
    return out;
}

QString withoutJoiners(QString text) {
    text.remove(QChar(kJoiner));
    return withoutBreaks(text);
}

namespace {

// The rules of the language whose library was loaded last, read once for each library.
const BreakRules& languageRules() {
    static QString path;
    static BreakRules rules;
    const QString now = res::breakRulesPath();
    if (now != path || now.isEmpty()) {
        path = now;
        QFile file(path);
        const QString text = !path.isEmpty() && file.open(QIODevice::ReadOnly)
                                 ? QString::fromUtf8(file.readAll())
                                 : QString();
        rules = breakRules(text.section(QLatin1Char('\n'), 0, 0).trimmed(),
                           text.section(QLatin1Char('\n'), 1));
    }
    return rules;
}

const char* const kWholeText = "qx4tWholeText";
const char* const kShownText = "qx4tShownText";
const char* const kFollowsWidth = "qx4tFollowsWidth";

// Breaks the widget's text again at its width. Greedy breaking at a width that came from lines
// broken this way gives those lines again, so a label whose width follows its text (a message
// box's) settles at once.
void breakAtWidth(QWidget& widget) {
    const QString whole = widget.property(kWholeText).toString();
    if (whole.isEmpty()) {
        return;
    }
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        const int width =
            label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
        const QString broken = width > 0 ? breakLines(whole, label->font(), width) : whole;
        if (label->text() != broken) {
            label->setText(broken);
            // A message box fixes its size from the lines its label had then, which were
            // broken for the label's first, narrower width: it takes the height of these.
            auto* box = qobject_cast<QMessageBox*>(label->window());
            if (box != nullptr && box->minimumSize() == box->maximumSize() && box->layout() &&
                box->layout()->hasHeightForWidth()) {
                box->setFixedHeight(box->layout()->totalHeightForWidth(box->width()));
            }
        }
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(&widget)) {
        // The room beside a scroll bar, shown or not, so that the bar coming or going
        // never changes the lines; a little less, so that the document never breaks again.
        const int margin = static_cast<int>(std::ceil(edit->document()->documentMargin()));
        const int width = edit->contentsRect().width() -
                          edit->verticalScrollBar()->sizeHint().width() - 2 * margin - 4;
        const QString broken = width > 0 ? breakLines(whole, edit->font(), width) : whole;
        if (edit->property(kShownText).toString() != broken) {
            edit->setProperty(kShownText, broken);
            edit->setPlainText(broken);
        }
    }
}

class FollowWidth : public QObject {
public:
    explicit FollowWidth(QWidget* widget) : QObject(widget), widget_(widget) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) {
            breakAtWidth(*widget_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* widget_;
};

// Plain text is broken here, now and whenever the widget's width changes; rich text is left
// to Qt.
void followWidth(QWidget& widget, const QString& whole) {
    if (Qt::mightBeRichText(whole) || whole.trimmed().isEmpty()) {
        widget.setProperty(kWholeText, QVariant());
        return;
    }
    if (!widget.property(kFollowsWidth).toBool()) {
        widget.installEventFilter(new FollowWidth(&widget));
        widget.setProperty(kFollowsWidth, true);
    }
    widget.setProperty(kWholeText, whole);
    widget.setProperty(kShownText, QVariant());
    breakAtWidth(widget);
}

}  // namespace

QString breakLines(const QString& text, const QFont& font, int width) {
    const QFontMetricsF metrics(font);
    return breakText(
        text, languageRules(),
        [&](const QString& piece) { return metrics.horizontalAdvance(piece); }, width);
}

void setLabelText(QLabel& label, const QString& text) {
    if (!label.wordWrap() || Qt::mightBeRichText(text)) {
        label.setProperty(kWholeText, QVariant());
        label.setText(text);
        return;
    }
    label.setText(keepLinesWhole(text));
    followWidth(label, label.text());
}

void breakAtItsWidth(QLabel& label) {
    followWidth(label, label.text());
}

void setEditText(QPlainTextEdit& edit, const QString& text) {
    const QString whole = keepLinesWhole(text);
    edit.setPlainText(whole);
    followWidth(edit, whole);
}

}  // namespace qx4t::ui
