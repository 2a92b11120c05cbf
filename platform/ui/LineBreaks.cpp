#include "platform/ui/LineBreaks.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
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

namespace qx4t::ui {
namespace {

constexpr char16_t kJoiner = u'\u2060';
// A quoted text longer than this is a phrase rather than a name, and may wrap.
constexpr qsizetype kLongestName = 32;

// The marks around a name as the languages write them; German closes with the mark that
// others open with, so each pair is looked for on its own.
constexpr std::pair<char16_t, char16_t> kQuotes[] = {
    {u'\u201C', u'\u201D'},  // “ ”
    {u'\u201E', u'\u201C'},  // „ “
    {u'\u00AB', u'\u00BB'},  // « »
    {u'\u300C', u'\u300D'},  // 「 」
    {u'\uFF3B', u'\uFF3D'},  // ［ ］
    {u'[', u']'},
};

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
    for (const auto& [open, close] : kQuotes) {
        for (qsizetype from = text.indexOf(QChar(open)); from >= 0;
             from = text.indexOf(QChar(open), from + 1)) {
            const qsizetype to = text.indexOf(QChar(close), from + 1);
            if (to < 0 || to - from > kLongestName) {
                continue;
            }
            const QString inside = text.mid(from, to - from);
            if (std::any_of(inside.begin(), inside.end(), isParagraphEnd)) {
                continue;
            }
            for (qsizetype at : bounds) {
                if (at > from && at <= to) {
                    join(at);
                }
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
    text.remove(QChar::LineSeparator);
    return text;
}

namespace {

QString breakParagraph(const QString& p, const QFontMetricsF& metrics, int width) {
    std::vector<qsizetype> breaks;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, p);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < p.size();
         at = finder.toNextBoundary()) {
        if (p[at - 1] != kJoiner && p[at] != kJoiner) {
            breaks.push_back(at);
        }
    }
    breaks.push_back(p.size());
    const auto fits = [&](qsizetype from, qsizetype to) {
        return metrics.horizontalAdvance(p.mid(from, to - from).trimmed()) <= width;
    };
    QString out;
    qsizetype start = 0;
    qsizetype lastFit = 0;
    for (std::size_t i = 0; i < breaks.size(); ++i) {
        const qsizetype at = breaks[i];
        if (fits(start, at)) {
            lastFit = at;
        } else if (lastFit > start) {
            out += p.mid(start, lastFit - start) + QChar(QChar::LineSeparator);
            start = lastFit;
            --i;  // the same break again, measured from the new line's start
        } else {
            lastFit = at;  // a piece longer than a line stays whole
        }
    }
    return out + p.mid(start);
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

class ThaiLines : public QObject {
public:
    explicit ThaiLines(QWidget* widget) : QObject(widget), widget_(widget) {}

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

// Thai is broken here, now and whenever the widget's width changes; other text is left to Qt.
void followWidth(QWidget& widget, const QString& whole) {
    if (Qt::mightBeRichText(whole) || !needsOwnBreaks(whole)) {
        widget.setProperty(kWholeText, QVariant());
        return;
    }
    if (!widget.property(kFollowsWidth).toBool()) {
        widget.installEventFilter(new ThaiLines(&widget));
        widget.setProperty(kFollowsWidth, true);
    }
    widget.setProperty(kWholeText, whole);
    widget.setProperty(kShownText, QVariant());
    breakAtWidth(widget);
}

}  // namespace

bool needsOwnBreaks(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Thai; });
}

QString breakLines(const QString& text, const QFont& font, int width) {
    const QFontMetricsF metrics(font);
    QString source = text;
    source.remove(QChar::LineSeparator);
    QStringList paragraphs = source.split(QLatin1Char('\n'));
    for (QString& p : paragraphs) {
        p = breakParagraph(p, metrics, width);
    }
    return paragraphs.join(QLatin1Char('\n'));
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
