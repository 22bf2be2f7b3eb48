#include "signature_edit.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace vellumino {

namespace {

SignatureView ToView(const QString& text)
{
    return SignatureView(reinterpret_cast<const char16_t*>(text.utf16()),
                         static_cast<std::size_t>(text.size()));
}

}  // namespace

QString FitToRoom(const QString& incoming, qsizetype room)
{
    return QString::fromStdU16String(FitToRoom(ToView(incoming), room));
}

SignatureEdit::SignatureEdit(QWidget* parent) : QLineEdit(parent)
{
    // The limit is enforced on input, not through maxLength: changing
    // maxLength resets the text and with it the undo history.
    setFrame(false);
}

void SignatureEdit::selectWholeCharacters()
{
    // Qt's own keys and clicks stop only between characters as its text
    // layout sees them; the core's are the ones that count.
    const auto start = static_cast<std::size_t>(hasSelectedText() ? selectionStart() : cursorPosition());
    const auto end = hasSelectedText() ? static_cast<std::size_t>(selectionEnd()) : start;
    const TextRange whole = WholeCharacters(ToView(text()), {start, end});
    if (whole.start == start && whole.end == end)
        return;
    if (whole.start == whole.end)
        setCursorPosition(static_cast<int>(whole.start));
    else
        setSelection(static_cast<int>(whole.start), static_cast<int>(whole.end - whole.start));
}

qsizetype SignatureEdit::room() const
{
    return RoomFor(static_cast<std::size_t>(text().size()), static_cast<std::size_t>(selectedText().size()));
}

void SignatureEdit::endUndoStep()
{
    // QLineEdit joins an insertion to the step before it unless something
    // ended that step, and has no call to end one. Replacing a selection ends
    // it; so does moving the cursor, and clear() on an empty field.
    if (hasSelectedText())
        return;
    if (text().isEmpty()) {
        clear();
        return;
    }
    const int at = cursorPosition();
    setCursorPosition(at == 0 ? 1 : 0);
    setCursorPosition(at);
}

void SignatureEdit::replaceAll(const QString& replacement)
{
    endUndoStep();
    selectAll();
    insert(replacement);
    endUndoStep();
}

void SignatureEdit::pasteFitted(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString incoming = QGuiApplication::clipboard()->text(mode);
    if (incoming.isEmpty() && !hasSelectedText())
        return;
    selectWholeCharacters();
    endUndoStep();
    insert(FitToRoom(incoming, room()));
    endUndoStep();
}

bool SignatureEdit::isTyping(const QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.isEmpty() || IsControlCharacter(typed.front().unicode()))
        return false;  // Backspace, Delete, Enter, Ctrl+letter …: QLineEdit's keys
    // Ctrl and Ctrl+Shift make shortcuts, except where a keyboard types a
    // format character with them (ZWNJ on a Persian layout).
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shortcut =
        modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    return !shortcut || typed.front().category() == QChar::Other_Format;
}

void SignatureEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        // On X11, Ctrl+Shift+Insert pastes the primary selection.
        const bool selection = event->key() == Qt::Key_Insert &&
                               event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                               QGuiApplication::clipboard()->supportsSelection();
        pasteFitted(selection ? QClipboard::Selection : QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (removeAtCursor(event)) {
        event->accept();
        return;
    }
    if (isTyping(event) && !isReadOnly()) {
        selectWholeCharacters();
        const QString typed = event->text();
        const QString inserted = QString::fromStdU16String(TypedInsertion(ToView(typed), room()));
        if (inserted != typed) {
            // Cut to what fits (a keystroke can carry a surrogate pair or
            // more), or refused whole at the limit.
            if (!inserted.isEmpty())
                insert(inserted);
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

bool SignatureEdit::removeAtCursor(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    RemovingKey key;
    if (event->matches(QKeySequence::Cut))
        key = RemovingKey::Cut;  // Ctrl+X, and Shift+Delete
    else if (event->matches(QKeySequence::DeleteStartOfWord))
        key = RemovingKey::WordBefore;
    else if (event->key() == Qt::Key_Backspace && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier))
        key = RemovingKey::Backspace;  // Qt's own Backspace takes one code point: a skin tone alone
    else if (event->matches(QKeySequence::Delete))
        key = RemovingKey::Delete;
    else
        return false;
    if (isReadOnly() || echoMode() != QLineEdit::Normal)
        return false;
    const auto caret = static_cast<std::size_t>(cursorPosition());
    const TextRange selection = hasSelectedText() ? TextRange{static_cast<std::size_t>(selectionStart()),
                                                              static_cast<std::size_t>(selectionEnd())}
                                                  : TextRange{caret, caret};
    const Removal removal = RemovalFor(ToView(text()), selection, key);
    if (removal.taken.end > removal.taken.start) {
        setSelection(static_cast<int>(removal.taken.start), static_cast<int>(removal.taken.end - removal.taken.start));
        if (removal.toClipboard)
            cut();
        else
            del();
    }
    return true;
}

void SignatureEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty() && event->preeditString().isEmpty() && event->replacementLength() == 0)
        selectWholeCharacters();
    const QString fitted =
        QString::fromStdU16String(TypedInsertion(ToView(commit), room() + event->replacementLength()));
    if (fitted == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent held(event->preeditString(), event->attributes());
    held.setCommitString(fitted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&held);
    event->accept();
}

void SignatureEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // X11's middle-button paste of the primary selection.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !isReadOnly()) {
        deselect();
        pasteFitted(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

QMenu* SignatureEdit::createContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    // Qt names the menu's actions only by their (translated) text.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) != pasteText)
            continue;
        action->disconnect(this);  // Qt wires it to its own, unlimited paste
        connect(action, &QAction::triggered, this, [this] { pasteFitted(); });
    }
    if (!menuExtras_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(menuExtras_);
    }
    emit contextMenuCreated(menu);
    return menu;
}

void SignatureEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void SignatureEdit::dropEvent(QDropEvent* event)
{
    const QMimeData* dropped = event->mimeData();
    const bool movedWithin = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (movedWithin || !dropped->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const QString whole = dropped->text();
    const QString cut = FitToRoom(whole, RoomFor(static_cast<std::size_t>(text().size()), 0));
    if (cut.isEmpty() || isReadOnly()) {
        event->ignore();  // nothing went in: the source keeps all it dragged
        return;
    }
    // A move drop tells the source to delete what it dragged; when only a
    // part went in, it is a copy, so nothing the user wrote is lost.
    const bool whollyIn = cut == whole;
    if (!whollyIn && !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return;
    }
    QMimeData fitted;
    fitted.setText(cut);
    QDropEvent held(event->position(), whollyIn ? event->possibleActions() : Qt::CopyAction, &fitted,
                    event->buttons(), event->modifiers());
    held.setDropAction(whollyIn ? event->dropAction() : Qt::CopyAction);
    QLineEdit::dropEvent(&held);
    event->setAccepted(held.isAccepted());
    if (held.isAccepted())
        event->setDropAction(whollyIn ? held.dropAction() : Qt::CopyAction);
}

}  // namespace vellumino
