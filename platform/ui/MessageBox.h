#pragma once
// Message boxes with the Windows styles' meaning (WinDefs.h: MB_OK, MB_OKCANCEL, MB_YESNO,
// MB_RETRYCANCEL with MB_ICONEXCLAMATION or MB_ICONINFORMATION; results IDOK, IDCANCEL,
// IDRETRY, IDYES, IDNO), shown through one seam that tests replace with a script.
#include <QString>
#include <QStringList>

#include <functional>

#include "platform/ui/WinDefs.h"

class QWidget;

namespace qx4t::ui {

struct MessageBoxRequest {
    QWidget* owner = nullptr;  // the dialog that shows the box; null for none
    int textId = 0;            // 0 when the text is not from the string table
    int captionId = 0;         // 0 for the application's name
    unsigned style = MB_OK;
    QString text;     // as the user reads it (string looked up and arguments filled in)
    QString caption;  // likewise
    // The owner (or a dialog inside it) still had a timer armed when the box opened: the
    // timer would fire behind the box. Tests treat it as a fault.
    bool ownerTimerArmed = false;
};

// Shows the box and returns the result (IDOK...). The default handler shows a QMessageBox.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
// An empty handler restores the default. Returns the handler it replaced.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// A box whose text and caption come from the string table (Qt's %1 %2... filled from args).
int messageBox(QWidget* owner, int textId, int captionId, unsigned style,
               const QStringList& args = {});
// Closes every open box with its escape answer (OK, No or Cancel); a box asked for while the
// process is quitting is not shown and gets the same answer. Called by the quit hook: a quit
// must never wait for a click.
void closeMessageBoxes();
// Sees every box with the answer given to it (the run log keeps them); empty sees none.
// Returns the observer it replaced.
using MessageBoxObserver = std::function<void(const MessageBoxRequest&, int result)>;
MessageBoxObserver setMessageBoxObserver(MessageBoxObserver observer);

// The application's message box: the program's name as caption, OK, exclamation icon.
int appMessageBox(const QString& text);
// The same with a text from the string table.
int appMessageBox(int textId);

// Fills %1..%9 in one pass, so an argument that itself contains "%2" is left alone.
[[nodiscard]] QString formatText(const QString& pattern, const QStringList& args);
// String id looked up through the resource chain, then formatted.
[[nodiscard]] QString formatString(int id, const QStringList& args = {});

}  // namespace qx4t::ui
