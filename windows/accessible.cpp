#include "windows/accessible.h"

#include "services/readonlytext.h"
#include "windows/form.h"
#include "windows/form4.h"
#include "windows/label.h"
#include "windows/picturebox.h"
#include "windows/printarea.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetrics>

#include <algorithm>

namespace {

/// The printed scene as text that a screen reader can read line by line.
class PrintedText : public QAccessibleWidget, public ReadOnlyText
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
    int cursorPosition() const override { return 0; }

private:
    PrintArea *area() const { return static_cast<PrintArea *>(widget()); }
};

/// A label of the graph window. A red bar is read as its share (the name
/// its window gives it) and is labelled by its heroine's name; a grey track
/// only draws, so it has nothing to read. A screen reader would otherwise
/// read each row as its name and two runs of bar text.
class GraphLabel : public QAccessibleWidget
{
public:
    explicit GraphLabel(Label *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return isTrack() ? QString() : label()->text();
    }

    QAccessible::State state() const override
    {
        QAccessible::State shown = QAccessibleWidget::state();
        shown.readOnly = true;
        return shown;
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        const Form4 &graph = *static_cast<const Form4 *>(widget()->parentWidget());
        for (int row = 0; row < 3; ++row) {
            if (label() == graph.Label1[row] && (match & QAccessible::Labelled))
                related.append({QAccessible::queryAccessibleInterface(graph.Label2[row + 3]), QAccessible::Labelled});
            if (label() == graph.Label2[row + 3] && (match & QAccessible::Label))
                related.append({QAccessible::queryAccessibleInterface(graph.Label1[row]), QAccessible::Label});
        }
        return related;
    }

private:
    Label *label() const { return static_cast<Label *>(widget()); }
    bool isTrack() const
    {
        const auto &bars = static_cast<const Form4 *>(widget()->parentWidget())->Label2;
        return std::find(bars.begin(), bars.begin() + 3, label()) != bars.begin() + 3;
    }
};

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
/// Words for a screen reader to say at once, held by an unseen child of
/// the control with the keyboard. A screen reader speaks the text that
/// appears beside the focus when that text is also selected, as soon as it
/// arrives, cutting short whatever it was saying, and with no role word
/// before it; a control's new name or description it would not speak.
class SpokenWords : public QAccessibleObject, public ReadOnlyText
{
public:
    using QAccessibleObject::QAccessibleObject;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this) : nullptr;
    }
    void say(const QString &words)
    {
        m_words = words;
        QAccessibleTextInsertEvent inserted(this, 0, words);
        QAccessible::updateAccessibility(&inserted);
    }

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Paragraph; }
    QAccessible::State state() const override
    {
        QAccessible::State shown;
        shown.readOnly = true;
        return shown;
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? m_words : QString();
    }

    QString text(int startOffset, int endOffset) const override
    {
        return m_words.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(m_words.size()); }
    // All of it is selected: that is what makes the screen reader say it.
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
    }
    int selectionCount() const override { return m_words.isEmpty() ? 0 : 1; }
    int cursorPosition() const override { return characterCount(); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }

private:
    QString m_words;
};
#endif

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
    if (className == QLatin1String("Label") && qobject_cast<Form4 *>(object->parent()))
        return new GraphLabel(static_cast<Label *>(object));
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

void speakAtOnce(const QWidget &window, const QString &words)
{
    if (!QAccessible::isActive())
        return;
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != &window)
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // An announcement the screen reader says at once, cutting short
    // whatever it is saying.
    QAccessibleAnnouncementEvent announcement(focus, words);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&announcement);
#else
    static const QString holderName = QStringLiteral("spokenWords");
    QObject *holder = focus->findChild<QObject *>(holderName, Qt::FindDirectChildrenOnly);
    if (!holder) {
        holder = new QObject(focus);
        holder->setObjectName(holderName);
        QAccessible::registerAccessibleInterface(new SpokenWords(holder));
    }
    static_cast<SpokenWords *>(QAccessible::queryAccessibleInterface(holder))->say(words);
#endif
}
