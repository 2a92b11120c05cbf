#pragma once
// Line breaking as a reader of each language expects it, for texts that wrap. Qt breaks
// Chinese, Japanese and Korean between almost any two characters and Thai between words, so
// on its own it may leave the last character of a sentence alone on a line or cut a quoted
// button name in two. Word joiners (U+2060, drawn as nothing) forbid those breaks, and the
// layer breaks the lines itself (Breaks.h).
#include <QString>

class QFont;
class QLabel;
class QPlainTextEdit;

namespace qx4t::ui {

// Joins the last two letters of every paragraph and every character of a short quoted name.
// Applying it twice changes nothing more.
[[nodiscard]] QString keepLinesWhole(const QString& text);

// The text without the joiners, line breaks and indents added here, as the string table
// holds it.
[[nodiscard]] QString withoutJoiners(QString text);

// Qt breaks with rules of its own (and Thai through libthai, which ignores joiners), so plain
// text is broken here, at the places Breaks.h finds with the rules of the language library
// loaded last, with a line separator where each line ends, for lines of at most width pixels.
[[nodiscard]] QString breakLines(const QString& text, const QFont& font, int width);

// Sets a label's text: a wrapping label gets the joiners, and is broken again whenever its
// width changes. Read it back with withoutJoiners().
void setLabelText(QLabel& label, const QString& text);
// The same for a label whose text is set and whose wrapping Qt decides on its own (the one
// of a message box): it is broken whenever its width changes.
void breakAtItsWidth(QLabel& label);
// The same for a text field (read back with withoutJoiners() too).
void setEditText(QPlainTextEdit& edit, const QString& text);

}  // namespace qx4t::ui
