#include "windows/form2.h"

#include "game/opening.h"
#include "services/twips.h"
#include "windows/picturebox.h"

#include <QMenuBar>
#include <QVBoxLayout>

Form2::Form2()
    : Form(Border::FixedDialog, false)
{
    setWindowTitle(tr("ぷるもけ　ノスタリカ"));

    menuBar = new QMenuBar(this);
    mnuFile = menuBar->addMenu(tr("&File"));
    mnustart = mnuFile->addAction(tr("&Start"));
    mnuexit = mnuFile->addAction(tr("E&xit"));
    mnuhelp = menuBar->addMenu(tr("&Help"));
    mnuabout = mnuhelp->addAction(tr("&About"));

    clientArea = new PictureBox(this);
    clientArea->setAccessibleName(windowTitle());
    // What a sighted player learns from the menu.
    clientArea->setAccessibleDescription(tr("File の Start（Alt+F、S）か、ダブルクリックで始まります"));
    // The window's only control that can hold the keyboard: it has it when
    // the window opens, so a screen reader names the picture then.
    clientArea->setFocusPolicy(Qt::TabFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(clientArea);
    // The picture's area lies under the menu bar.
    setLaidOutClientSize(twips::toPixels(QSize(4785, 3570)) + QSize(0, menuBar->sizeHint().height()));

    auto guard = [](auto handler) { return [handler] { guarded(handler); }; };
    connect(mnustart, &QAction::triggered, this, guard([this] { mnustart_Click(); }));
    connect(mnuexit, &QAction::triggered, this, guard([this] { mnuexit_Click(); }));
    connect(mnuabout, &QAction::triggered, this, guard([this] { mnuabout_Click(); }));
    connect(clientArea, &PictureBox::doubleClicked, this, guard([this] { Form_DblClick(); }));
}

void Form2::Form_Load()
{
    setOuterSize();
    clientArea->setPicture(
        platform().loadPicture(QStringLiteral("title1.") + QStringLiteral("BMP"), devicePixelRatioF()));
    centre();
}

void Form2::placeOnScreen()
{
    setOuterSize();
    centre();
}

void Form2::setOuterSize()
{
    // The outer size the title was drawn for; where the window manager's
    // frame is thicker than that allows, the window grows just enough to
    // show the whole picture under the menu bar.
    setOuterHeightTwips(4200);
    setOuterWidthTwips(4900);
}

void Form2::centre()
{
    centreVertically();
    centreHorizontally();
}

void Form2::Form_QueryUnload(qint16 &, qint16 &unloadMode)
{
    if (unloadMode == qint16(UnloadReason::PlayerClose))
        platform().endProgram(0);
}

void Form2::Form_DblClick()
{
    game::StartGame();
}

void Form2::mnustart_Click()
{
    game::StartGame();
}

void Form2::mnuexit_Click()
{
    platform().endProgram(0);
}

void Form2::mnuabout_Click()
{
    platform().messageBox(tr("ぷるもけ！"), BoxIcon::Information, tr("ぷるもけ！"));
}
