#pragma once

#include <QStringList>
#include <QWidget>

/// The surface a scene is printed on. It keeps the printed lines so that
/// they are drawn again whenever the window is uncovered, and offers them
/// to assistive technology as read-only text (see windows/accessible.h).
class PrintArea : public QWidget
{
    Q_OBJECT

public:
    explicit PrintArea(QWidget *parent);

    const QStringList &lines() const { return m_lines; }
    /// The printed lines as one text, a line break after each but the last.
    QString text() const { return m_lines.join(QLatin1Char('\n')); }

    void clear();
    void append(const QString &line);

    /// The distance from one printed line to the next, in pixels.
    int pitch() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
};
