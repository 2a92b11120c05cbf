#include "platform/ui/Dialog.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextEdit>
#include <QUiLoader>
#include <QVBoxLayout>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/res/Resources.h"
#include "platform/ui/LineBreaks.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Timers.h"

namespace qx4t::ui {
namespace {

std::vector<Dialog*>& modalRuns() {
    static std::vector<Dialog*> runs;
    return runs;
}

int idOf(const QObject* o) {
    const QString name = o->objectName();
    if (!name.startsWith(QLatin1String("IDC_"))) {
        return 0;
    }
    bool ok = false;
    const int id = name.mid(4).toInt(&ok);
    return ok ? id : 0;
}

// Qt's form loader sizes the top-level widget but ignores its position, which a child dialog's
// template gives (the disclaimer page keeps its own place in the frame).
QPoint templateOrigin(const QByteArray& ui) {
    QXmlStreamReader xml(ui);
    int widgetDepth = 0;
    bool inGeometry = false;
    QPoint origin;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("widget") && ++widgetDepth > 1) {
                break;
            }
            if (widgetDepth == 1 && xml.name() == QLatin1String("property") &&
                xml.attributes().value(QLatin1String("name")) == QLatin1String("geometry")) {
                inGeometry = true;
            } else if (inGeometry && xml.name() == QLatin1String("x")) {
                origin.setX(xml.readElementText().toInt());
            } else if (inGeometry && xml.name() == QLatin1String("y")) {
                origin.setY(xml.readElementText().toInt());
            }
        } else if (xml.isEndElement() && inGeometry && xml.name() == QLatin1String("property")) {
            break;
        }
    }
    return origin;
}

// A template drawn as a QDialog would take Escape and Enter for itself and close on its own;
// its keys go to the dialog that holds it instead.
class DialogKeys : public QObject {
public:
    DialogKeys(Dialog* owner, QObject* parent) : QObject(parent), owner_(owner) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                QCoreApplication::sendEvent(owner_, event);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Dialog* owner_;
};

// Templates are drawn for a 9-point font. A larger desktop font scales every size, margin and
// space of a template with it, as a Windows dialog grows with its font's dialog units, so a
// text that fits at 9 points fits at any size.
constexpr double kTemplatePointSize = 9.0;

double templateScale(const QFont& font) {
    double points = font.pointSizeF();
    if (points <= 0) {
        points = font.pixelSize() * 72.0 / 96.0;
    }
    return std::max(1.0, points / kTemplatePointSize);
}

int scaled(int value, double scale) {
    return value >= QWIDGETSIZE_MAX ? value : static_cast<int>(std::lround(value * scale));
}
QSize scaled(QSize size, double scale) {
    return {scaled(size.width(), scale), scaled(size.height(), scale)};
}
QPoint scaled(QPoint point, double scale) {
    return {scaled(point.x(), scale), scaled(point.y(), scale)};
}

void scaleLayout(QLayout* layout, double scale) {
    const QMargins m = layout->contentsMargins();
    layout->setContentsMargins(scaled(m.left(), scale), scaled(m.top(), scale),
                               scaled(m.right(), scale), scaled(m.bottom(), scale));
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        grid->setHorizontalSpacing(scaled(grid->horizontalSpacing(), scale));
        grid->setVerticalSpacing(scaled(grid->verticalSpacing(), scale));
    } else if (layout->spacing() > 0) {
        layout->setSpacing(scaled(layout->spacing(), scale));
    }
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (QSpacerItem* spacer = item->spacerItem()) {
            const QSize hint = scaled(spacer->sizeHint(), scale);
            spacer->changeSize(hint.width(), hint.height(), spacer->sizePolicy().horizontalPolicy(),
                               spacer->sizePolicy().verticalPolicy());
        } else if (QLayout* inner = item->layout()) {
            scaleLayout(inner, scale);
        }
    }
    layout->invalidate();
}

void scaleTemplate(QWidget* body, double scale) {
    if (scale <= 1.0) {
        return;
    }
    QList<QWidget*> widgets = body->findChildren<QWidget*>();
    widgets.prepend(body);
    for (QWidget* w : widgets) {
        w->setMinimumSize(scaled(w->minimumSize(), scale));
        w->setMaximumSize(scaled(w->maximumSize(), scale));
        if (w->font().resolveMask() & QFont::SizeResolved) {
            QFont f = w->font();
            if (f.pointSizeF() > 0) {
                f.setPointSizeF(f.pointSizeF() * scale);
                w->setFont(f);
            }
        }
        if (w->layout() != nullptr) {
            scaleLayout(w->layout(), scale);
        }
    }
}

// A text field gives back what it was given. Its plain text would turn no-break spaces into
// plain ones, and French typography (« Suivant ») would then break where it must not.
QString textAsSet(const QTextDocument& document) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString withoutMnemonic(QString text) {
    // "Ready(&R)" as Japanese labels write it, then the plain "&Ready".
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^)]\\)"));
    text.remove(bracketed);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out.trimmed();
}

}  // namespace

Dialog::Dialog(int templateId, QWidget* parent) : QDialog(parent), m_templateId(templateId) {}

Dialog::~Dialog() {
    TimerQueue::instance().killAll(this);
    auto& runs = modalRuns();
    runs.erase(std::remove(runs.begin(), runs.end(), this), runs.end());
}

bool Dialog::loadTemplate(int templateId) {
    const QString path = res::templatePath(templateId);
    if (path.isEmpty()) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray ui = file.readAll();
    QBuffer buffer;
    buffer.setData(ui);
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    QWidget* body = loader.load(&buffer, this);
    if (body == nullptr) {
        return false;
    }
    if (qobject_cast<QDialog*>(body) != nullptr) {
        body->installEventFilter(new DialogKeys(this, body));
    }
    // The template may be drawn as a dialog of its own; here it is this dialog's content.
    const double scale = templateScale(font());
    const QSize size = scaled(body->geometry().size(), scale);
    scaleTemplate(body, scale);
    body->setWindowFlags(Qt::Widget);
    if (layout() == nullptr) {
        auto* box = new QVBoxLayout(this);
        box->setContentsMargins(0, 0, 0, 0);
    }
    layout()->addWidget(body);
    m_body = body;
    setWindowTitle(body->windowTitle());
    resize(size.expandedTo(minimumSizeHint()));
    if (!isWindow()) {
        move(scaled(templateOrigin(ui), scale));
    }
    for (QLabel* l : body->findChildren<QLabel*>()) {
        setLabelText(*l, l->text());
    }
    nameControlsForAccessibility(body);
    wireControls();
    return true;
}

void Dialog::wireControls() {
    for (QAbstractButton* b : m_body->findChildren<QAbstractButton*>()) {
        if (const int id = idOf(b)) {
            connect(b, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
        }
    }
}

int Dialog::DoModal() {
    installQuitHook();
    if (!IsWindow() && !loadTemplate(m_templateId)) {
        return -1;
    }
    m_ended = false;
    m_result = IDCANCEL;
    m_inModal = true;
    modalRuns().push_back(this);
    if (quitRequested()) {
        EndDialog(IDCANCEL);
    }
    if (!m_ended) {
        OnInitDialog();
    }
    if (!m_ended) {
        // A dialog keeps the size its template gives: it can be neither resized nor
        // maximised (minimising stays). The flags go before the first show, which they undo.
        setFixedSize(size());
        setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::Dialog |
                       Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                       Qt::MSWindowsFixedSizeDialogHint);
        setWindowModality(Qt::ApplicationModal);
        show();
        activateWindow();
    }
    if (!m_ended) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    m_inModal = false;
    auto& runs = modalRuns();
    runs.erase(std::remove(runs.begin(), runs.end(), this), runs.end());
    hide();
    DestroyWindow();
    return m_result;
}

void Dialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (m_loop != nullptr) {
        m_loop->exit(result);
    }
    if (!m_inModal) {
        hide();
    }
}

void Dialog::quitModalRuns() {
    const std::vector<Dialog*> runs = modalRuns();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        // An earlier OnQuit may have destroyed a dialog that was still listed.
        const auto& now = modalRuns();
        if (std::find(now.begin(), now.end(), *it) != now.end()) {
            (*it)->OnQuit();
        }
    }
}

bool Dialog::Create(int templateId, QWidget* parent) {
    if (IsWindow()) {
        DestroyWindow();
    }
    m_templateId = templateId;
    setParent(parent, Qt::Widget);
    if (!loadTemplate(templateId)) {
        return false;
    }
    hide();
    m_ended = false;
    OnInitDialog();
    return true;
}

void Dialog::DestroyWindow() {
    TimerQueue::instance().killAll(this);
    for (Dialog* child : findChildren<Dialog*>(Qt::FindDirectChildrenOnly)) {
        child->DestroyWindow();
    }
    delete m_body;
    m_body = nullptr;
    m_defaultId = 0;
    m_closeEnabled = true;
    hide();
}

Dialog* Dialog::parentDialog() const {
    for (QWidget* p = parentWidget(); p != nullptr; p = p->parentWidget()) {
        if (auto* d = dynamic_cast<Dialog*>(p)) {
            return d;
        }
    }
    return nullptr;
}

bool Dialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return true;
}

QWidget* Dialog::item(int id) const {
    if (m_body == nullptr) {
        return nullptr;
    }
    return m_body->findChild<QWidget*>(QStringLiteral("IDC_%1").arg(id));
}

QLabel* Dialog::label(int id) const {
    return itemAs<QLabel>(id);
}
QAbstractButton* Dialog::button(int id) const {
    return itemAs<QAbstractButton>(id);
}
QCheckBox* Dialog::checkBox(int id) const {
    return itemAs<QCheckBox>(id);
}
QComboBox* Dialog::comboBox(int id) const {
    return itemAs<QComboBox>(id);
}
QProgressBar* Dialog::progressBar(int id) const {
    return itemAs<QProgressBar>(id);
}

void Dialog::showItem(int id, bool show) {
    if (QWidget* w = item(id)) {
        w->setVisible(show);
    }
}

void Dialog::enableItem(int id, bool enable) {
    if (QWidget* w = item(id)) {
        w->setEnabled(enable);
    }
}

bool Dialog::itemEnabled(int id) const {
    const QWidget* w = item(id);
    return w != nullptr && w->isEnabled();
}

bool Dialog::itemShown(int id) const {
    const QWidget* w = item(id);
    return w != nullptr && !w->isHidden();
}

void Dialog::setItemText(int id, const QString& text) {
    QString value = text;
    DataExchange(*this, false).text(id, value);
}

QString Dialog::itemText(int id) const {
    QString value;
    DataExchange(const_cast<Dialog&>(*this), true).text(id, value);
    return value;
}

void Dialog::focusItem(int id) {
    if (QWidget* w = item(id)) {
        w->setFocus(Qt::TabFocusReason);
    }
}

void Dialog::setDefaultButton(int id) {
    if (m_body == nullptr) {
        return;
    }
    for (QPushButton* b : m_body->findChildren<QPushButton*>()) {
        b->setDefault(idOf(b) == id);
    }
    m_defaultId = id;
}

bool Dialog::openAnimation(int controlId, int animationId) {
    QLabel* target = label(controlId);
    const QString path = res::animationPath(animationId);
    if (target == nullptr || path.isEmpty()) {
        return false;
    }
    auto* movie = new QMovie(path, QByteArray(), target);
    if (!movie->isValid()) {
        delete movie;
        return false;
    }
    if (QMovie* old = target->movie(); old != nullptr && old->parent() == target) {
        target->setMovie(nullptr);
        delete old;
    }
    movie->jumpToFrame(0);
    target->setMovie(movie);
    return true;
}

void Dialog::playAnimation(int controlId) {
    if (QLabel* l = label(controlId); l != nullptr && l->movie() != nullptr) {
        l->movie()->start();
    }
}

void Dialog::stopAnimation(int controlId) {
    if (QLabel* l = label(controlId); l != nullptr && l->movie() != nullptr) {
        l->movie()->stop();
    }
}

void Dialog::SetTimer(int id, std::chrono::milliseconds period) {
    TimerQueue::instance().set(this, id, period);
}

void Dialog::KillTimer(int id) {
    TimerQueue::instance().kill(this, id);
}

bool Dialog::timerArmed(int id) const {
    return TimerQueue::instance().armed(this, id);
}

long Dialog::SendMessage(unsigned message, unsigned long wParam, long lParam) {
    return OnMessage(message, wParam, lParam);
}

int Dialog::MessageBox(int textId, int captionId, unsigned style, const QStringList& args) {
    return messageBox(this, textId, captionId, style, args);
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnCommand(int id) {
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void Dialog::OnOK() {
    EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void Dialog::OnTimer(int) {}

long Dialog::OnMessage(unsigned, unsigned long, long) {
    return 0;
}

void Dialog::OnQuit() {
    EndDialog(IDCANCEL);
}

void Dialog::closeEvent(QCloseEvent* event) {
    // The window's close button is the system menu's Close item: IDCANCEL while enabled,
    // nothing while greyed. The window itself is never closed from here.
    event->ignore();
    if (isWindow() && m_closeEnabled) {
        OnCommand(IDCANCEL);
    }
}

void Dialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // A window manager that ignores the fixed size may still maximise the window on request;
    // the dialog does not follow, as a dialog without a maximise box would not.
    const Qt::WindowStates grown = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && isWindow() && (windowState() & grown)) {
        setWindowState(windowState() & ~grown);
    }
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool dialogKey = key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!dialogKey) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!isWindow()) {
        // A page's keys belong to the frame: its default button and its Cancel.
        if (auto* top = dynamic_cast<Dialog*>(window()); top != nullptr && top != this) {
            top->keyPressEvent(event);
        }
        return;
    }
    if (key == Qt::Key_Escape) {
        if (m_closeEnabled) {
            OnCommand(IDCANCEL);
        }
        return;
    }
    // Enter presses the push button that has the focus, as a keyboard user expects; the
    // default button answers only for the other controls. A button that does not take Enter
    // itself (auto-default off) passes the key up to here.
    const auto pressable = [](QPushButton* b) {
        return b != nullptr && b->isVisible() && b->isEnabled();
    };
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); pressable(focused)) {
        focused->click();
        return;
    }
    if (auto* b = qobject_cast<QPushButton*>(item(m_defaultId)); pressable(b)) {
        b->click();
    }
}

void DataExchange::text(int id, QString& value) {
    QWidget* w = m_dialog.item(id);
    if (w == nullptr) {
        return;
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        m_save ? void(value = withoutJoiners(l->text())) : setLabelText(*l, value);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        m_save ? void(value = e->text()) : e->setText(value);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        m_save ? void(value = withoutJoiners(textAsSet(*p->document()))) : setEditText(*p, value);
    } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
        m_save ? void(value = textAsSet(*t->document())) : t->setPlainText(value);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        m_save ? void(value = b->text()) : b->setText(value);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        m_save ? void(value = g->title()) : g->setTitle(value);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (m_save) {
            value = c->currentText();
        } else if (const int index = c->findText(value); index >= 0) {
            c->setCurrentIndex(index);
        } else if (c->isEditable()) {
            c->setEditText(value);
        }
    }
}

void DataExchange::text(int id, std::wstring& value) {
    QString q = QString::fromStdWString(value);
    text(id, q);
    if (m_save) {
        value = q.toStdWString();
    }
}

void DataExchange::check(int id, int& state) {
    auto* b = m_dialog.itemAs<QAbstractButton>(id);
    if (b == nullptr) {
        return;
    }
    auto* box = qobject_cast<QCheckBox*>(b);
    if (m_save) {
        if (box != nullptr) {
            state = box->checkState() == Qt::Checked            ? BST_CHECKED
                    : box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                                                                : BST_UNCHECKED;
        } else {
            state = b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        }
        return;
    }
    if (box != nullptr) {
        box->setCheckState(state == BST_CHECKED         ? Qt::Checked
                           : state == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
    } else {
        b->setChecked(state == BST_CHECKED);
    }
}

void DataExchange::radio(int firstId, int& index) {
    std::vector<QRadioButton*> group;
    for (int id = firstId;; ++id) {
        auto* r = m_dialog.itemAs<QRadioButton>(id);
        if (r == nullptr) {
            break;
        }
        group.push_back(r);
    }
    if (m_save) {
        index = -1;
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (group[i]->isChecked()) {
                index = static_cast<int>(i);
                break;
            }
        }
        return;
    }
    for (std::size_t i = 0; i < group.size(); ++i) {
        const bool on = static_cast<int>(i) == index;
        // An exclusive radio refuses to be unchecked directly.
        group[i]->setAutoExclusive(false);
        group[i]->setChecked(on);
        group[i]->setAutoExclusive(true);
    }
}

void nameControlsForAccessibility(QWidget* root) {
    for (QLabel* l : root->findChildren<QLabel*>()) {
        QWidget* buddy = l->buddy();
        if (buddy != nullptr && buddy->accessibleName().isEmpty()) {
            buddy->setAccessibleName(withoutMnemonic(withoutJoiners(l->text())));
        }
    }
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->accessibleName().isEmpty() && !w->toolTip().isEmpty()) {
            w->setAccessibleName(w->toolTip());
        }
    }
}

}  // namespace qx4t::ui
