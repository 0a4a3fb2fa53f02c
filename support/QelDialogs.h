#pragma once

#include <QString>

class QDialog;
class QMenu;
class QWidget;

namespace qel {

// The program's main window: it owns the boxes shown without an owner. The
// window registers itself; a destroyed window unregisters by itself.
void SetMainForm(QWidget* form);
QWidget* MainForm();

// Topmost, modal boxes with Chinese buttons. `owner` null means the main
// window (or no owner while there is none). Text and caption are shown as
// plain text, exactly as given.
void HintBox(const QString& text, const QString& caption = QStringLiteral("提示"), QWidget* owner = nullptr);
// OK and Cancel, Cancel being the default: true only when OK was pressed.
bool AskBox(const QString& text, const QString& caption = QStringLiteral("询问"), QWidget* owner = nullptr);
bool WarnBox(const QString& text, const QString& caption = QStringLiteral("警告"), QWidget* owner = nullptr);
void ErrorBox(const QString& text, const QString& caption = QStringLiteral("错误"), QWidget* owner = nullptr);

// Shows a freshly created dialog modally and deletes it afterwards, also when
// an exception leaves the modal loop. The caller must not touch `form` again.
void FormShowModal(QDialog* form);

// Pops `menu` up at the mouse cursor.
void PopMenu(QMenu* menu);
// Pops `menu` up `dx` pixels right of the control's left edge and `dy`
// pixels below its bottom edge.
void PopMenu(QMenu* menu, QWidget* control, int dy, int dx);

} // namespace qel
