#pragma once
// The dialog base of the wizard: a dialog built from a template found by id through the
// resource chain, run modally (DoModal/EndDialog) or created as a modeless child (a page),
// with its controls found by id ("IDC_<id>" in the template), data exchange, timers by id on
// the layer's one queue, synchronous page messages and message boxes by string id.
//
// The C++ object outlives its window: DestroyWindow() throws the controls away and Create()
// or DoModal() builds them anew from the template, and OnInitDialog() runs each time.
#include <QDialog>
#include <QString>
#include <QStringList>

#include <chrono>
#include <string>

#include "platform/ui/WinDefs.h"

class QAbstractButton;
class QCheckBox;
class QEventLoop;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace qx4t::ui {

class DataExchange;
class TimerQueue;

class Dialog : public QDialog {
    Q_OBJECT

public:
    // The template is looked up when the window is created, not here.
    explicit Dialog(int templateId, QWidget* parent = nullptr);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    [[nodiscard]] int templateId() const { return m_templateId; }

    // --- Window life -------------------------------------------------------------------
    // Creates the window, runs OnInitDialog, shows the dialog and returns the result given
    // to EndDialog. A dialog ended during OnInitDialog is never shown. -1 when the template
    // cannot be found. A quit request (SIGINT/SIGTERM) ends the run with IDCANCEL.
    int DoModal();
    // Ends the modal run (or, for a child, just hides it) with the result.
    void EndDialog(int result);
    // Creates the window as a child of parent at the position its template gives, hidden,
    // and runs OnInitDialog. False when the template cannot be found or loaded.
    bool Create(int templateId, QWidget* parent);
    // Destroys the controls (and the windows of child dialogs) and kills the timers.
    void DestroyWindow();
    [[nodiscard]] bool IsWindow() const { return m_body != nullptr; }
    // The dialog this one is a child of (a page's frame), or null.
    [[nodiscard]] Dialog* parentDialog() const;

    // --- Data exchange ------------------------------------------------------------------
    // Controls -> members when saveAndValidate, else members -> controls.
    bool UpdateData(bool saveAndValidate = true);

    // --- Controls by id -----------------------------------------------------------------
    [[nodiscard]] QWidget* item(int id) const;
    template <typename T>
    [[nodiscard]] T* itemAs(int id) const {
        return qobject_cast<T*>(item(id));
    }
    [[nodiscard]] QLabel* label(int id) const;
    [[nodiscard]] QAbstractButton* button(int id) const;
    [[nodiscard]] QCheckBox* checkBox(int id) const;
    [[nodiscard]] QComboBox* comboBox(int id) const;
    [[nodiscard]] QProgressBar* progressBar(int id) const;

    // Show command SW_SHOW or SW_HIDE, or a plain flag.
    void showItem(int id, bool show);
    void enableItem(int id, bool enable);
    [[nodiscard]] bool itemEnabled(int id) const;
    [[nodiscard]] bool itemShown(int id) const;
    void setItemText(int id, const QString& text);
    [[nodiscard]] QString itemText(int id) const;
    // Gives the keyboard focus to the control (the meaning of WM_NEXTDLGCTL with a handle).
    void focusItem(int id);
    // The push button that Enter presses when the focus is not on another push button.
    void setDefaultButton(int id);
    [[nodiscard]] int defaultButton() const { return m_defaultId; }
    // The window's close button and the Escape key act as IDCANCEL only while enabled (the
    // system menu's Close item, enabled or greyed).
    void setCloseEnabled(bool enabled) { m_closeEnabled = enabled; }
    [[nodiscard]] bool closeEnabled() const { return m_closeEnabled; }

    // Loads animation animationId into the label control and shows its first frame.
    bool openAnimation(int controlId, int animationId);
    void playAnimation(int controlId);
    void stopAnimation(int controlId);

    // --- Timers ---------------------------------------------------------------------------
    // Arms timer id; setting an armed id again re-arms it from now with the new period.
    void SetTimer(int id, std::chrono::milliseconds period);
    void KillTimer(int id);
    [[nodiscard]] bool timerArmed(int id) const;

    // --- Messages -------------------------------------------------------------------------
    // Delivered synchronously to OnMessage; returns its result.
    long SendMessage(unsigned message, unsigned long wParam, long lParam);
    // A message box owned by this dialog, text and caption by string id.
    int MessageBox(int textId, int captionId, unsigned style, const QStringList& args = {});

    // The quit hook: every modal run in progress hears of the quit (OnQuit), innermost first.
    static void quitModalRuns();

protected:
    // Default: UpdateData(false), true (the focus goes to the first control).
    virtual bool OnInitDialog();
    // Binds members to controls with the DataExchange helpers. Default: nothing.
    virtual void DoDataExchange(DataExchange& dx);
    // A button (push button, check box, radio) with IDC_<id> was clicked; also IDCANCEL from
    // the close button and Escape. Default: IDOK -> OnOK, IDCANCEL -> OnCancel.
    virtual void OnCommand(int id);
    virtual void OnOK();      // default: EndDialog(IDOK)
    virtual void OnCancel();  // default: EndDialog(IDCANCEL)
    virtual void OnTimer(int id);
    // Default: 0.
    virtual long OnMessage(unsigned message, unsigned long wParam, long lParam);
    // The process was asked to quit (SIGINT, SIGTERM) during this dialog's modal run: end it
    // without waiting for anyone. Message boxes are no longer shown by then; their texts go
    // to the standard error. Default: EndDialog(IDCANCEL).
    virtual void OnQuit();

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TimerQueue;
    bool loadTemplate(int templateId);
    void wireControls();

    int m_templateId;
    QWidget* m_body = nullptr;  // the template's controls
    int m_defaultId = 0;
    bool m_closeEnabled = true;
    bool m_inModal = false;
    bool m_ended = false;
    int m_result = IDCANCEL;
    QEventLoop* m_loop = nullptr;
};

// The helpers of DoDataExchange. Each moves one value between a member and a control, in the
// direction of the exchange; a control that is missing or of the wrong kind is left alone.
class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saveAndValidate)
        : m_dialog(dialog), m_save(saveAndValidate) {}
    [[nodiscard]] bool saving() const { return m_save; }
    [[nodiscard]] Dialog& dialog() const { return m_dialog; }

    // Static text, edit, button caption, combo box text (selects the matching entry).
    void text(int id, QString& value);
    void text(int id, std::wstring& value);
    // Check box: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    void check(int id, int& state);
    // A radio group: firstId and the radios with the ids that follow it. The index of the
    // checked one, -1 for none.
    void radio(int firstId, int& index);
    // Binds a member pointer to the control (null when missing or of another type).
    template <typename T>
    void control(int id, T*& member) {
        member = m_dialog.itemAs<T>(id);
    }

private:
    Dialog& m_dialog;
    bool m_save;
};

// The accessible name of each control that the template leaves without one: its buddy
// label's text (without the mnemonic), else its tool tip. Done for every loaded template.
void nameControlsForAccessibility(QWidget* root);

}  // namespace qx4t::ui
