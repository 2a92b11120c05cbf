#pragma once
// What GUI tests share: one QApplication per process, and scripted message boxes.
#include <QString>

#include <optional>
#include <vector>

#include "platform/ui/MessageBox.h"

namespace qx4t::test {

// Creates the process's QApplication on first use (offscreen under ctest).
void ensureApplication();

// Replaces the message box seam for its lifetime. The test states the boxes it expects, in
// order, with the answer each gets. A box that was not expected, one whose owner still had a
// timer armed, and an expected box never shown all fail the test.
class ScriptedMessageBoxes {
public:
    struct Expected {
        int textId = 0;
        int captionId = 0;
        unsigned style = MB_OK;
        int answer = IDOK;
        std::optional<QString> text;  // checked when given (application boxes, arguments)
    };

    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    ScriptedMessageBoxes& expect(int textId, int captionId, unsigned style, int answer = IDOK);
    // An application message box (caption: the program's name, OK, exclamation).
    ScriptedMessageBoxes& expectApp(const QString& text);
    // The same with a text from the string table.
    ScriptedMessageBoxes& expectApp(int textId);
    // The last expectation also checks the formatted text.
    ScriptedMessageBoxes& withText(const QString& text);

    [[nodiscard]] const std::vector<ui::MessageBoxRequest>& shown() const { return shown_; }
    [[nodiscard]] std::size_t pending() const { return expected_.size() - next_; }

private:
    int answer(const ui::MessageBoxRequest& request);

    std::vector<Expected> expected_;
    std::size_t next_ = 0;
    std::vector<ui::MessageBoxRequest> shown_;
    ui::MessageBoxHandler previous_;
};

}  // namespace qx4t::test
