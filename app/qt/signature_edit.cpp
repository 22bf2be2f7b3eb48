#include "signature_edit.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QStringView>

namespace vellumino {

namespace {

bool IsPrintable(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const char32_t codePoint : text.toUcs4())
        if (!QChar::isPrint(codePoint))
            return false;
    return true;
}

}  // namespace

QString FitToRoom(const QString& incoming, qsizetype room)
{
    const SignatureText fitted = FitToRoom(SignatureView(reinterpret_cast<const char16_t*>(incoming.utf16()),
                                                         static_cast<std::size_t>(incoming.size())),
                                           room);
    return QString::fromStdU16String(fitted);
}

SignatureEdit::SignatureEdit(QWidget* parent) : QLineEdit(parent)
{
    // The limit is enforced on input, not through maxLength: changing
    // maxLength resets the text and with it the undo history.
    setFrame(false);
}

qsizetype SignatureEdit::room() const
{
    return kInputLimit - (text().size() - selectedText().size());
}

void SignatureEdit::pasteFitted(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString incoming = QGuiApplication::clipboard()->text(mode);
    if (incoming.isEmpty() && !hasSelectedText())
        return;
    insert(FitToRoom(incoming, room()));
}

void SignatureEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFitted();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool control = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!control && typed.size() > room() && IsPrintable(typed)) {
        // At the limit a keystroke is refused; just short of it, it is cut
        // like a paste (a keystroke can carry a surrogate pair or more).
        const QString fitted = FitToRoom(typed, room());
        if (!fitted.isEmpty())
            insert(fitted);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SignatureEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    const QString fitted = FitToRoom(commit, room() + event->replacementLength());
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
    QMimeData fitted;
    fitted.setText(FitToRoom(dropped->text(), kInputLimit - text().size()));
    QDropEvent held(event->position(), event->possibleActions(), &fitted, event->buttons(),
                    event->modifiers());
    held.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&held);
    event->setAccepted(held.isAccepted());
    if (held.isAccepted())
        event->setDropAction(held.dropAction());
}

}  // namespace vellumino
