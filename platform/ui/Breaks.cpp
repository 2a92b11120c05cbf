#include "platform/ui/Breaks.h"

#include <QRegularExpression>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace qx4t::ui {
namespace {

constexpr char16_t kJoiner = u'\u2060';
// A quoted text longer than this is a phrase rather than a name, and may wrap.
constexpr qsizetype kLongestName = 32;
// A glossary term longer than this is a phrase: it may wrap like any other text.
constexpr qsizetype kLongestTerm = 16;
// What a last line holds at least, when the line before can give it up.
constexpr qsizetype kShortestLastLine = 4;

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

// The widths of "12. " as characters that never break nor vanish at a line's start.
constexpr char16_t kFigureSpace = u'\u2007';
constexpr char16_t kPunctuationSpace = u'\u2008';
constexpr char16_t kNoBreakSpace = u'\u00A0';

bool isLanguage(const QString& language, const char* code) {
    return language == QLatin1String(code) ||
           language.startsWith(QLatin1String(code) + QLatin1Char('_'));
}

// ICU's iterators by locale, made once: making one reads its rules and dictionaries.
icu::BreakIterator* iterator(bool lines, const std::string& locale) {
    static std::map<std::pair<bool, std::string>, std::unique_ptr<icu::BreakIterator>> made;
    auto& it = made[{lines, locale}];
    if (!it) {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Locale where = icu::Locale::createFromName(locale.c_str());
        it.reset(lines ? icu::BreakIterator::createLineInstance(where, status)
                       : icu::BreakIterator::createWordInstance(where, status));
        if (U_FAILURE(status)) {
            it.reset();
        }
    }
    return it.get();
}

// The iterator's boundaries inside the text, 0 and size() excluded. Without ICU's data there
// are none, and the text wraps only where it must.
std::set<qsizetype> boundaries(icu::BreakIterator* it, const QString& text) {
    std::set<qsizetype> at;
    if (it == nullptr) {
        return at;
    }
    const icu::UnicodeString view(false, reinterpret_cast<const char16_t*>(text.utf16()),
                                  static_cast<int32_t>(text.size()));
    it->setText(view);
    for (int32_t b = it->first(); b != icu::BreakIterator::DONE; b = it->next()) {
        if (b > 0 && b < text.size()) {
            at.insert(b);
        }
    }
    it->setText(icu::UnicodeString());
    return at;
}

// Runs that read as one token: a version, an identity, a path ("1.80", "usb-serial-FT4ABC",
// "/dev/ttyUSB0", "TR6AW/TR6AZ").
const QRegularExpression& tokenPattern() {
    static const QRegularExpression re(
        QStringLiteral(R"([A-Za-z0-9_.:~@+\-]*[0-9/_][A-Za-z0-9_.:~@+\-/]*)"));
    return re;
}

}  // namespace

BreakRules breakRules(const QString& language, const QString& glossary) {
    BreakRules rules{language, {}};
    static const QRegularExpression ends(QStringLiteral(R"(^[\p{P}\s]+|[\p{P}\s]+$)"));
    for (const QString& raw : glossary.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('|'));
        QString term;
        if (fields.size() == 2 && fields[0].trimmed() == QLatin1String("keep")) {
            term = fields[1].trimmed();
        } else if (fields.size() == 3) {
            term = fields[1].trimmed();
        } else {
            continue;  // an allowance, or nothing this reads
        }
        for (QString word :
             term.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            word.remove(ends);
            if (word.size() > 1 && word.size() <= kLongestTerm && !rules.whole.contains(word)) {
                rules.whole << word;
            }
        }
    }
    return rules;
}

std::vector<std::pair<qsizetype, qsizetype>> quotedNames(const QString& text) {
    std::vector<std::pair<qsizetype, qsizetype>> names;
    for (const auto& [open, close] : kQuotes) {
        for (qsizetype from = text.indexOf(QChar(open)); from >= 0;
             from = text.indexOf(QChar(open), from + 1)) {
            const qsizetype to = text.indexOf(QChar(close), from + 1);
            if (to < 0 || to - from > kLongestName) {
                continue;
            }
            const QString inside = text.mid(from, to - from);
            if (inside.contains(QLatin1Char('\n')) || inside.contains(QChar::LineSeparator) ||
                inside.contains(QChar::ParagraphSeparator)) {
                continue;
            }
            names.emplace_back(from, to + 1);
        }
    }
    return names;
}

std::vector<BreakPlace> breakPlaces(const QString& p, const BreakRules& rules) {
    const QString& lang = rules.language;
    const bool phrases = isLanguage(lang, "ja");
    const bool unspaced = phrases || isLanguage(lang, "zh") || isLanguage(lang, "th");
    const std::string base = lang.section(QLatin1Char('_'), 0, 0).toStdString();

    std::set<qsizetype> places =
        boundaries(iterator(true, phrases ? base + "@lw=phrase" : base), p);
    if (unspaced) {
        const std::set<qsizetype> words = boundaries(iterator(false, base), p);
        std::erase_if(places, [&](qsizetype at) { return words.count(at) == 0; });
    }
    if (phrases) {
        // Particles and endings stay with what they follow: "［次へ］を", "モードにします".
        static const QString closing = QStringLiteral("」』］）】〕〉》");
        std::erase_if(places, [&](qsizetype at) {
            const QChar::Script before = p[at - 1].script();
            return p[at].script() == QChar::Script_Hiragana &&
                   (before == QChar::Script_Katakana || before == QChar::Script_Han ||
                    closing.contains(p[at - 1]));
        });
    }
    if (isLanguage(lang, "ko")) {
        std::erase_if(places, [&](qsizetype at) { return !p[at - 1].isSpace(); });
    }
    std::erase_if(places, [&](qsizetype at) { return p[at - 1] == kJoiner || p[at] == kJoiner; });

    // Spans that never break inside.
    std::vector<std::pair<qsizetype, qsizetype>> whole = quotedNames(p);
    for (const QString& term : rules.whole) {
        for (qsizetype at = p.indexOf(term); at >= 0; at = p.indexOf(term, at + 1)) {
            whole.emplace_back(at, at + term.size());
        }
    }
    std::vector<std::pair<qsizetype, qsizetype>> paths;
    for (auto it = tokenPattern().globalMatch(p); it.hasNext();) {
        const auto m = it.next();
        if (m.capturedLength() > 1) {
            whole.emplace_back(m.capturedStart(), m.capturedEnd());
            if (m.captured().contains(QLatin1Char('/'))) {
                paths.emplace_back(m.capturedStart(), m.capturedEnd());
            }
        }
    }
    for (const auto& [from, to] : whole) {
        places.erase(places.upper_bound(from), places.lower_bound(to));
    }
    // ICU never breaks before a "/", even after a space; a path may start a line of its own.
    for (const auto& [from, to] : paths) {
        const bool quoted = std::any_of(whole.begin(), whole.end(), [&](const auto& span) {
            return span.first < from && from < span.second;
        });
        if (from > 0 && p[from - 1] == u' ' && !quoted) {
            places.insert(from);
        }
    }

    std::vector<BreakPlace> out;
    for (qsizetype at : places) {
        out.push_back({at, false});
    }
    for (const auto& [from, to] : paths) {
        for (qsizetype at = from + 1; at < to; ++at) {
            if (p[at - 1] == u'/' && !places.count(at)) {
                out.push_back({at, true});
            }
        }
    }
    std::sort(out.begin(), out.end(),
              [](const BreakPlace& a, const BreakPlace& b) { return a.at < b.at; });
    return out;
}

namespace {

qsizetype visibleCharacters(QStringView s) {
    return std::count_if(s.begin(), s.end(), [](QChar c) { return !c.isSpace(); });
}

QString breakParagraph(const QString& p, const BreakRules& rules, const Measure& measure,
                       double width) {
    static const QRegularExpression numbered(QStringLiteral(R"(^(\d{1,2})\.\s)"));
    QString indent;
    if (const auto m = numbered.match(p); m.hasMatch()) {
        indent = QString(m.capturedLength(1), QChar(kFigureSpace)) + QChar(kPunctuationSpace) +
                 QChar(kNoBreakSpace);
    }
    const double indentWidth = indent.isEmpty() ? 0.0 : measure(indent);
    const std::vector<BreakPlace> places = breakPlaces(p, rules);
    std::vector<qsizetype> starts{0};
    const auto fits = [&](qsizetype from, qsizetype to) {
        const double room = from == 0 ? width : width - indentWidth;
        return measure(p.mid(from, to - from).trimmed()) <= room;
    };

    // Greedy, at the ordinary places; inside a path only when the path alone overflows.
    qsizetype lastFit = 0;
    for (std::size_t i = 0; i <= places.size(); ++i) {
        if (i < places.size() && places[i].insidePath) {
            continue;
        }
        const qsizetype start = starts.back();
        const qsizetype at = i < places.size() ? places[i].at : p.size();
        if (fits(start, at)) {
            lastFit = at;
            continue;
        }
        if (lastFit > start) {
            starts.push_back(lastFit);
            --i;  // the same place again, measured from the new line's start
            continue;
        }
        qsizetype slash = start;
        for (const BreakPlace& b : places) {
            if (b.insidePath && b.at > start && b.at < at && fits(start, b.at)) {
                slash = b.at;
            }
        }
        if (slash > start) {
            starts.push_back(slash);
            lastFit = slash;
            --i;
        } else {
            lastFit = at;  // a piece longer than a line stays whole
        }
    }

    // A last line too short takes what the line before can give up.
    if (starts.size() > 1 &&
        visibleCharacters(QStringView(p).mid(starts.back())) < kShortestLastLine) {
        const qsizetype before = starts[starts.size() - 2];
        for (auto b = places.rbegin(); b != places.rend(); ++b) {
            if (b->at >= starts.back() || b->insidePath) {
                continue;
            }
            if (b->at <= before) {
                break;
            }
            if (visibleCharacters(QStringView(p).mid(b->at)) >= kShortestLastLine &&
                fits(b->at, p.size()) &&
                visibleCharacters(QStringView(p).mid(before, b->at - before)) > 0) {
                starts.back() = b->at;
                break;
            }
        }
    }

    QString out;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const qsizetype to = i + 1 < starts.size() ? starts[i + 1] : p.size();
        if (i > 0) {
            out += QChar(QChar::LineSeparator) + indent;
        }
        out += QStringView(p).mid(starts[i], to - starts[i]);
    }
    return out;
}

}  // namespace

QString breakText(const QString& text, const BreakRules& rules, const Measure& measure,
                  double width) {
    QStringList paragraphs = withoutBreaks(text).split(QLatin1Char('\n'));
    for (QString& p : paragraphs) {
        p = breakParagraph(p, rules, measure, width);
    }
    return paragraphs.join(QLatin1Char('\n'));
}

QString withoutBreaks(QString text) {
    static const QRegularExpression added(
        QStringLiteral("\\x{2028}(?:\\x{2007}+\\x{2008}\\x{00A0})?"));
    return text.remove(added);
}

QString withNoBreakSpaces(const QString& language, QString text) {
    if (isLanguage(language, "fr")) {
        static const QRegularExpression before(QStringLiteral(R"((?<=\S) (?=[:;!?»]))"));
        static const QRegularExpression after(QStringLiteral("« "));
        text.replace(before, QString(QChar(kNoBreakSpace)));
        text.replace(after, QStringLiteral("«") + QChar(kNoBreakSpace));
    }
    return text;
}

}  // namespace qx4t::ui
