#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

#include "platform/res/Resources.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Timers.h"

namespace qx4t::ui {
namespace {

MessageBoxHandler& handler() {
    static MessageBoxHandler h;
    return h;
}

int showQtBox(const MessageBoxRequest& r) {
    QMessageBox box(r.owner ? r.owner->window() : nullptr);
    box.setWindowTitle(r.caption);
    box.setText(r.text);
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
    const int clicked = box.exec();
    for (const Choice& c : choices) {
        if (clicked == c.button) {
            return c.result;
        }
    }
    // Closed without a button: the box's escape answer, as Windows gives it.
    return choices.size() == 1 ? IDOK : (choices.back().result == IDNO ? IDNO : IDCANCEL);
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

MessageBoxObserver& observer() {
    static MessageBoxObserver o;
    return o;
}

int show(MessageBoxRequest r) {
    r.ownerTimerArmed = timerArmedWithin(r.owner);
    const int result = handler() ? handler()(r) : showQtBox(r);
    if (observer()) {
        observer()(r, result);
    }
    return result;
}

QString applicationName() {
    return QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
}

}  // namespace

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
