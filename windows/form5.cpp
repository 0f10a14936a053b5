#include "windows/form5.h"

#include "windows/label.h"
#include "windows/picturebox.h"

#include <QKeyEvent>

Form5::Form5()
    : Form(Border::FixedDialog, false)
{
    setWindowTitle(tr("伝説の樹の下"));
    setClientSizeTwips(4500, 5010);
    clientArea = new PictureBox(this);
    clientArea->setAccessibleName(tr("伝説の樹"));
    clientArea->setGeometry(rect());
    Label1 = new Label(this);
    place(Label1, 120, 3720, 4215, 1215);
}

void Form5::Form_Load()
{
    placeOnScreen();
    clientArea->setPicture(
        platform().loadPicture(QStringLiteral("Title2.") + QStringLiteral("BMP"), devicePixelRatioF()));
}

void Form5::placeOnScreen()
{
    centreHorizontally();
    centreVertically();
}

void Form5::Form_QueryUnload(qint16 &, qint16 &)
{
    platform().endProgram(0);
}

void Form5::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        Form::keyPressEvent(event);
}
