#include "windows/printarea.h"

#include <QAccessible>
#include <QPainter>

PrintArea::PrintArea(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(tr("メッセージ"));
}

void PrintArea::clear()
{
    const QString erased = text();
    m_lines.clear();
    update();
    if (!erased.isEmpty()) {
        QAccessibleTextRemoveEvent removed(this, 0, erased);
        QAccessible::updateAccessibility(&removed);
    }
}

void PrintArea::append(const QString &line)
{
    // A line after the first starts with the break that ends the one before.
    const int position = int(text().size());
    const QString added = m_lines.isEmpty() ? line : QLatin1Char('\n') + line;
    m_lines.append(line);
    update();
    QAccessibleTextInsertEvent inserted(this, position, added);
    QAccessible::updateAccessibility(&inserted);
}

int PrintArea::pitch() const
{
    // The four lines of a scene must stay above the next button, so a face
    // with tall line metrics is printed at a tighter pitch.
    return qMin(fontMetrics().height(), height() * 840 / 1350 / 4);
}

void PrintArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int step = pitch();
    int y = 0;
    for (const QString &line : m_lines) {
        painter.drawText(0, y + metrics.ascent(), line);
        y += step;
    }
}
