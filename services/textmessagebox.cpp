#include "services/textmessagebox.h"

#include "services/readonlytext.h"

#include <QAccessibleWidget>

namespace {

/// A message box as an alert named by its title, described as the box
/// asks, whose text is its message.
class MessageText : public QAccessibleWidget, public ReadOnlyText
{
public:
    explicit MessageText(QMessageBox *box)
        : QAccessibleWidget(box, QAccessible::AlertMessage)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return message();
        return QAccessibleWidget::text(kind);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return message().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(message().size()); }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    int cursorPosition() const override { return 0; }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }

private:
    QString message() const { return static_cast<QMessageBox *>(widget())->text(); }
};

QAccessibleInterface *messageText(const QString &className, QObject *object)
{
    if (className == QLatin1String("TextMessageBox"))
        return new MessageText(static_cast<TextMessageBox *>(object));
    return nullptr;
}

} // namespace

TextMessageBox::TextMessageBox(Icon icon, const QString &title, const QString &text, StandardButtons buttons)
    : QMessageBox(icon, title, text, buttons)
{
    static const bool installed = [] {
        QAccessible::installFactory(messageText);
        return true;
    }();
    Q_UNUSED(installed);
}
