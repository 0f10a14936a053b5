#include "windows/form4.h"

#include "game/module1.h"
#include "windows/label.h"

#include <QKeyEvent>
#include <QPushButton>

#include <cmath>

QString Form4::barText()
{
    return tr("ぷるもけぷるもけぷるもけぷるもけぷるもけ", "twenty characters: the bar's whole length");
}

namespace {

constexpr int RowTops[3] = {120, 480, 840};

/// A screen reader cannot tell a red bar from its grey track, so each bar
/// is read as how many of the twenty characters are red, not as the text
/// it draws (see windows/accessible.h).
void describeShare(Label *bar, int twentieths)
{
    bar->setAccessibleName(QStringLiteral("%1 / 20").arg(twentieths));
}

Label *makeLabel(QWidget *parent, const QString &caption, const QColor &colour, bool opaque)
{
    auto *label = new Label(parent, caption);
    label->setAutoFillBackground(opaque);
    if (colour.isValid()) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, colour);
        label->setPalette(colours);
    }
    return label;
}

} // namespace

Form4::Form4()
    : Form(Border::FixedDialog, false)
{
    setWindowTitle(tr("ぷるもけグラフ"));
    setClientSizeTwips(6000, 1620);

    for (int row = 0; row < 3; ++row) {
        Label1[row] = makeLabel(this, QStringLiteral("Label1"), QColor(), true);
        place(Label1[row], 120, RowTops[row], 2175, 255);
    }
    // Tracks first, so that the transparent red bars lie over them.
    for (int k = 0; k < 6; ++k) {
        const bool bar = k >= 3;
        Label2[k] = makeLabel(this, barText(), bar ? QColor(255, 0, 0) : QColor(128, 128, 128), !bar);
        place(Label2[k], 2520, RowTops[k % 3], 3735, 255);
        if (bar)
            describeShare(Label2[k], 20);
    }
    Command1 = new QPushButton(tr("よし"), this);
    place(Command1, 4800, 1200, 975, 375);
    Command1->setDefault(true);
    Command1->setFocus();
    onClick(Command1, [this] { Command1_Click(); });
}

void Form4::Form_Load()
{
    using namespace game;
    placeOnScreen();

    Label1[0]->setCaption(FriendName);
    Label1[1]->setCaption(HeroineTwo());
    Label1[2]->setCaption(HeroineThree());

    const qint16 total = Add16(Add16(Score[1], Score[2]), Score[3]);
    // Below 1, every bar keeps all twenty characters.
    if (total >= 1) {
        for (qint16 i = 1; i <= 3; ++i) {
            const double ratio = double(Score[i]) / double(total) * 20.0;
            Label *bar = Label2[i + 2];
            bar->setCaption(QString());
            int twentieths = 0;
            if (ratio > 0) {
                twentieths = int(std::min(std::floor(ratio), 20.0));
                bar->setCaption(barText().left(twentieths));
            }
            describeShare(bar, twentieths);
        }
    }

    // What a screen reader says as the window opens: each heroine and her
    // share, row by row, as the player would read the graph.
    QStringList rows;
    for (int row = 0; row < 3; ++row)
        rows.append(Label1[row]->caption() + QLatin1Char(' ') + Label2[row + 3]->accessibleName());
    setAccessibleDescription(rows.join(QLatin1Char('\n')));
}

void Form4::placeOnScreen()
{
    centreHorizontally();
    centreVertically();
}

void Form4::Command1_Click()
{
    unload(UnloadReason::ProgramCode);
}

void Form4::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        Command1->click();
        break;
    default:
        Form::keyPressEvent(event);
    }
}
