#pragma once

#include <QPixmap>
#include <QWidget>

/// An image control: shows its picture at the picture's own size, unscaled,
/// with the top-left corners together; whatever lies outside the box is cut
/// off. The picture is shared with whoever gave it, never copied.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
};
