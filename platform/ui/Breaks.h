#pragma once
// Where a line may break in each language, as a typesetter of that language would choose,
// and greedy breaking at those places. Shared by the layer (labels, message boxes, text
// fields) and the tool that draws the operating manuals, so that both break alike.
//
// The places come from ICU's line iterator (Japanese by phrase), less those inside a word of
// ICU's word iterator for the languages written without spaces, inside a term of the
// language's glossary or a word it keeps whole, inside a quoted name, a version, an identity
// or a path; Korean breaks only at spaces. Places next to a word joiner (U+2060) or a no-break
// space are never breaks.
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace qx4t::ui {

struct BreakRules {
    QString language;   // "ja", "zh_TW", "th", ...
    QStringList whole;  // terms and words that never break inside
};

// The rules of a language from its glossary: every term of an entry and every word of a
// "keep | <word>" line stays whole; a term with spaces keeps each of its words whole.
[[nodiscard]] BreakRules breakRules(const QString& language, const QString& glossary);

// [start, end) of each quoted name short enough to be a name rather than a phrase.
[[nodiscard]] std::vector<std::pair<qsizetype, qsizetype>> quotedNames(const QString& text);

struct BreakPlace {
    qsizetype at;     // a line may start here
    bool insidePath;  // after a "/" of a path: only when the path alone does not fit a line
};

// The places of one paragraph (no line feeds in it), ascending, 0 and size() excluded.
[[nodiscard]] std::vector<BreakPlace> breakPlaces(const QString& paragraph,
                                                  const BreakRules& rules);

// Width of a piece of text in the unit of the width given below.
using Measure = std::function<double(const QString&)>;

// Breaks every paragraph greedily into lines of at most `width`, marking each line end with a
// line separator (U+2028). A path that does not fit on the rest of a line starts a line of its
// own. A last line holds at least four characters when the line before can give them up. A
// numbered item ("1. ...") continues under its text, indented with spaces as wide as its
// number, which withoutBreaks() removes again.
[[nodiscard]] QString breakText(const QString& text, const BreakRules& rules,
                                const Measure& measure, double width);

// The text without the line separators and indents added by breakText().
[[nodiscard]] QString withoutBreaks(QString text);

// The spaces a language writes as no-break spaces (French before : ; ! ? » and after «) made
// so, as its string table writes them.
[[nodiscard]] QString withNoBreakSpaces(const QString& language, QString text);

}  // namespace qx4t::ui
