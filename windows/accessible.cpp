#include "windows/accessible.h"

#include "windows/form.h"
#include "windows/picturebox.h"
#include "windows/printarea.h"

#include <QAccessibleWidget>
#include <QFontMetrics>

namespace {

/// The printed scene as text that a screen reader can read line by line.
class PrintedText : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PrintedText(PrintArea *area)
        : QAccessibleWidget(area, QAccessible::EditableText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State shown = QAccessibleWidget::state();
        shown.readOnly = true;
        shown.multiLine = true;
        return shown;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return area()->text();
        return QAccessibleWidget::text(kind);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return area()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(area()->text().size()); }

    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics(area()->font());
        int line = 0;
        int column = offset;
        while (line < area()->lines().size() && column > area()->lines()[line].size()) {
            column -= int(area()->lines()[line].size()) + 1;
            ++line;
        }
        if (line >= area()->lines().size())
            return {};
        const QString &printed = area()->lines()[line];
        const int x = metrics.horizontalAdvance(printed.left(column));
        const int width = column < printed.size() ? metrics.horizontalAdvance(printed.at(column)) : 1;
        const QRect local(x, line * area()->pitch(), width, metrics.height());
        return QRect(area()->mapToGlobal(local.topLeft()), local.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = area()->mapFromGlobal(point);
        const int line = local.y() / qMax(1, area()->pitch());
        if (local.y() < 0 || line >= area()->lines().size())
            return -1;
        int offset = 0;
        for (int i = 0; i < line; ++i)
            offset += int(area()->lines()[i].size()) + 1;
        const QFontMetrics metrics(area()->font());
        const QString &printed = area()->lines()[line];
        int column = 0;
        while (column < printed.size() && metrics.horizontalAdvance(printed.left(column + 1)) <= local.x())
            ++column;
        return offset + column;
    }

    // Printed text has no cursor and cannot be selected.
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    PrintArea *area() const { return static_cast<PrintArea *>(widget()); }
};

QAccessibleInterface *gameAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("Form")) {
        auto *form = static_cast<Form *>(object);
        const bool dialog = form->border() == Form::Border::FixedDialog;
        return new QAccessibleWidget(form, dialog ? QAccessible::Dialog : QAccessible::Window);
    }
    if (className == QLatin1String("PictureBox"))
        return new QAccessibleWidget(static_cast<PictureBox *>(object), QAccessible::Graphic);
    if (className == QLatin1String("PrintArea"))
        return new PrintedText(static_cast<PrintArea *>(object));
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(gameAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}
