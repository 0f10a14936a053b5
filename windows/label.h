#pragma once

#include <QLabel>

/// A label control: plain text, left-aligned from the top left, wrapped at
/// its width and cut off at its box. The caption keeps the game's line
/// break (LF followed by CR) as written; on screen the pair is one break.
class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(QWidget *parent, const QString &caption = QString());

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);

private:
    QString m_caption;
};
