#include "tests/platform/ui/support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

namespace qx4t::test {

void ensureApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "qx4t-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down in the exit handlers, after the platform plugin's own
    // statics, crashes. The pointer keeps it reachable, so it is no leak.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    QCoreApplication::setApplicationName(QStringLiteral("Qx4t_V0180_VupTool"));
}

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    previous_ =
        ui::setMessageBoxHandler([this](const ui::MessageBoxRequest& r) { return answer(r); });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    ui::setMessageBoxHandler(std::move(previous_));
    for (std::size_t i = next_; i < expected_.size(); ++i) {
        ADD_FAILURE() << "message box never shown: text " << expected_[i].textId << ", caption "
                      << expected_[i].captionId
                      << (expected_[i].text ? ", \"" + expected_[i].text->toStdString() + "\""
                                            : "");
    }
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expect(int textId, int captionId, unsigned style,
                                                   int answer) {
    expected_.push_back(Expected{textId, captionId, style, answer, std::nullopt});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expectApp(const QString& text) {
    expected_.push_back(Expected{0, 0, MB_OK | MB_ICONEXCLAMATION, IDOK, text});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expectApp(int textId) {
    expected_.push_back(Expected{textId, 0, MB_OK | MB_ICONEXCLAMATION, IDOK, std::nullopt});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::withText(const QString& text) {
    if (!expected_.empty()) {
        expected_.back().text = text;
    }
    return *this;
}

int ScriptedMessageBoxes::answer(const ui::MessageBoxRequest& r) {
    shown_.push_back(r);
    EXPECT_FALSE(r.ownerTimerArmed)
        << "message box " << r.textId << " shown while its dialog still has a timer armed";
    if (next_ >= expected_.size()) {
        ADD_FAILURE() << "unexpected message box: text " << r.textId << " \""
                      << r.text.toStdString() << "\", caption " << r.captionId << ", style 0x"
                      << std::hex << r.style;
        return (r.style & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
    const Expected& e = expected_[next_++];
    EXPECT_EQ(r.textId, e.textId) << "text id of box " << next_;
    EXPECT_EQ(r.captionId, e.captionId) << "caption id of box " << next_;
    EXPECT_EQ(r.style, e.style) << "style of box " << next_;
    if (e.text) {
        EXPECT_EQ(r.text.toStdString(), e.text->toStdString()) << "text of box " << next_;
    }
    if (r.captionId == 0) {
        EXPECT_EQ(r.caption.toStdString(), QCoreApplication::applicationName().toStdString());
    }
    return e.answer;
}

}  // namespace qx4t::test
