// The signature field. What the user types, pastes or drops is held to the
// input limit; text the program writes is not, so a command's result is
// never cut.
#pragma once

#include <QClipboard>
#include <QLineEdit>

#include "editing.h"

class QMenu;

namespace vellumino {

// The shared FitToRoom, for Qt's strings.
QString FitToRoom(const QString& incoming, qsizetype room);

class SignatureEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit SignatureEdit(QWidget* parent = nullptr);

    // The user's own paste, held to the limit: one undo step of its own.
    void pasteFitted(QClipboard::Mode mode = QClipboard::Clipboard);
    // The program's own write of the whole text, never held: one undo step
    // of its own whatever the field held before.
    void replaceAll(const QString& text);
    // The standard edit menu, its paste held to the limit like the keyboard's,
    // and the window's own entries below it.
    QMenu* createContextMenu();
    void setMenuExtras(QList<QAction*> actions) { menuExtras_ = std::move(actions); }

signals:
    // Each new context menu, before it shows: the window previews its entries.
    void contextMenuCreated(QMenu* menu);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Moves a caret or a selection's ends off the inside of a character.
    void selectWholeCharacters();
    // Code units the user may still add in place of the selection.
    qsizetype room() const;
    // Whether a key press is text for the field rather than an editing key
    // or a shortcut, decided as QLineEdit decides it.
    static bool isTyping(const QKeyEvent* event);
    // Backspace, Delete, Ctrl+Backspace and the cut keys, as the core says
    // each takes; false for any other key.
    bool removeAtCursor(const QKeyEvent* event);
    // Ends the current undo step, so what comes next is undone on its own.
    void endUndoStep();

    QList<QAction*> menuExtras_;
};

}  // namespace vellumino
