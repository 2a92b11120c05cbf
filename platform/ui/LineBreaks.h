#pragma once
// Line breaking as a reader of each language expects it, for texts that wrap. Qt breaks
// Chinese, Japanese and Korean between almost any two characters and Thai between words, so
// on its own it may leave the last character of a sentence alone on a line or cut a quoted
// button name in two. Word joiners (U+2060, drawn as nothing) forbid those breaks.
#include <QString>

class QFont;
class QLabel;
class QPlainTextEdit;

namespace qx4t::ui {

// Joins the last two letters of every paragraph and every character of a short quoted name.
// Applying it twice changes nothing more.
[[nodiscard]] QString keepLinesWhole(const QString& text);

// The text without the joiners and line breaks added here, as the string table holds it.
[[nodiscard]] QString withoutJoiners(QString text);

// Qt takes the line breaks inside Thai from libthai alone, which ignores joiners, so a text
// with Thai is broken here: greedily, at the breaks Qt allows except those next to a joiner,
// with a line separator where each line ends, for lines of at most width pixels.
[[nodiscard]] bool needsOwnBreaks(const QString& text);
[[nodiscard]] QString breakLines(const QString& text, const QFont& font, int width);

// Sets a label's text: a wrapping label gets the joiners, and one holding Thai is broken
// again whenever its width changes. Read it back with withoutJoiners().
void setLabelText(QLabel& label, const QString& text);
// The same for a label whose text is set and whose wrapping Qt decides on its own (the one
// of a message box): Thai in it is broken whenever its width changes.
void breakAtItsWidth(QLabel& label);
// The same for a text field (read back with withoutJoiners() too).
void setEditText(QPlainTextEdit& edit, const QString& text);

}  // namespace qx4t::ui
