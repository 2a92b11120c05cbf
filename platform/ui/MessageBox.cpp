#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QWidget>

#include <iostream>
#include <vector>

#include "platform/Quit.h"
#include "platform/res/Resources.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/LineBreaks.h"
#include "platform/ui/Timers.h"

namespace qx4t::ui {
namespace {

MessageBoxHandler& handler() {
    static MessageBoxHandler h;
    return h;
}

std::vector<QMessageBox*>& openBoxes() {
    static std::vector<QMessageBox*> boxes;
    return boxes;
}

int showQtBox(const MessageBoxRequest& r) {
    QMessageBox box(r.owner ? r.owner->window() : nullptr);
    box.setWindowTitle(r.caption);
    box.setText(keepLinesWhole(r.text));
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        breakAtItsWidth(*label);
    }
    switch (r.style & MB_ICONMASK) {
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<Choice> choices;
    switch (r.style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNO:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
            break;
        case MB_RETRYCANCEL:
            choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        default:
            choices = {{QMessageBox::Ok, IDOK}};
            break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices) {
        buttons |= c.button;
    }
    box.setStandardButtons(buttons);
    box.setDefaultButton(choices.front().button);
    // Closed without a button (or never shown, the process being asked to quit): the box's
    // escape answer, as Windows gives it.
    const int escapeAnswer =
        choices.size() == 1 ? IDOK : (choices.back().result == IDNO ? IDNO : IDCANCEL);
    if (quit::requested()) {
        return escapeAnswer;
    }
    openBoxes().push_back(&box);
    const int clicked = box.exec();
    std::erase(openBoxes(), &box);
    for (const Choice& c : choices) {
        if (clicked == c.button) {
            return c.result;
        }
    }
    return escapeAnswer;
}

bool timerArmedWithin(QWidget* owner) {
    if (owner == nullptr) {
        return false;
    }
    const auto& queue = TimerQueue::instance();
    if (auto* d = dynamic_cast<Dialog*>(owner); d && queue.armed(d)) {
        return true;
    }
    for (Dialog* child : owner->findChildren<Dialog*>()) {
        if (queue.armed(child)) {
            return true;
        }
    }
    return false;
}

// A box that a quit keeps from the user (never shown, or closed unanswered) still says its
// piece where the one who asked to quit can read it.
void tellOnStandardError(const MessageBoxRequest& r) {
    std::cerr << r.caption.toStdString() << ": " << r.text.toStdString() << std::endl;
}

MessageBoxObserver& observer() {
    static MessageBoxObserver o;
    return o;
}

int show(MessageBoxRequest r) {
    r.ownerTimerArmed = timerArmedWithin(r.owner);
    int result;
    if (handler()) {
        result = handler()(r);
    } else {
        result = showQtBox(r);
        if (quit::requested()) {
            tellOnStandardError(r);
        }
    }
    if (observer()) {
        observer()(r, result);
    }
    return result;
}

QString applicationName() {
    return QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
}

}  // namespace

void closeMessageBoxes() {
    const std::vector<QMessageBox*> boxes = openBoxes();
    for (QMessageBox* box : boxes) {
        box->done(0);  // no button's code: the escape answer
    }
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler h) {
    MessageBoxHandler old = std::move(handler());
    handler() = std::move(h);
    return old;
}

MessageBoxObserver setMessageBoxObserver(MessageBoxObserver o) {
    MessageBoxObserver old = std::move(observer());
    observer() = std::move(o);
    return old;
}

QString formatText(const QString& pattern, const QStringList& args) {
    QString out;
    out.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size() && pattern[i + 1] >= u'1' &&
            pattern[i + 1] <= u'9') {
            const int n = pattern[i + 1].unicode() - u'1';
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString formatString(int id, const QStringList& args) {
    return formatText(res::loadString(id), args);
}

int messageBox(QWidget* owner, int textId, int captionId, unsigned style, const QStringList& args) {
    MessageBoxRequest r;
    r.owner = owner;
    r.textId = textId;
    r.captionId = captionId;
    r.style = style;
    r.text = formatString(textId, args);
    r.caption = captionId ? res::loadString(captionId) : applicationName();
    return show(r);
}

int appMessageBox(const QString& text) {
    MessageBoxRequest r;
    r.style = MB_OK | MB_ICONEXCLAMATION;
    r.text = text;
    r.caption = applicationName();
    return show(r);
}

int appMessageBox(int textId) {
    MessageBoxRequest r;
    r.textId = textId;
    r.style = MB_OK | MB_ICONEXCLAMATION;
    r.text = res::loadString(textId);
    r.caption = applicationName();
    return show(r);
}

}  // namespace qx4t::ui
