#include "windows/form3.h"

#include "game/module1.h"
#include "windows/form1.h"
#include "windows/forms.h"
#include "windows/label.h"
#include "windows/printarea.h"

#include <QPushButton>

namespace {

/// The school year and the date as the main window shows them, for
/// example "1年目　10月20日"; empty before it has shown a day.
QString shownDay()
{
    const Form1 *main = forms::loaded<Form1>();
    if (!main || main->Label1->caption().isEmpty())
        return {};
    return Form3::tr("%1　%2").arg(main->Label1->caption(), main->Label2->caption());
}

} // namespace

Form3::Form3()
    : Form(Border::FixedToolWindow, false)
{
    setWindowTitle(tr("メッセージ"));
    setClientSizeTwips(8385, 1350);
    // Shown after the main window, it must not take the activation from it:
    // the stop button keeps the keyboard focus, so a key press stops time.
    setAttribute(Qt::WA_ShowWithoutActivating);

    // The scene is printed in the fixed-pitch Gothic face (the platform
    // maps the name to a face installed here).
    QFont printFont(QStringLiteral("ＭＳ ゴシック"), 9, QFont::Normal);
    setFont(printFont);

    // The print surface fills the client area with the scene's colours;
    // the button keeps the ordinary ones.
    m_printArea = new PrintArea(this);
    m_printArea->setGeometry(rect());
    QPalette colours = m_printArea->palette();
    colours.setColor(QPalette::Window, QColor(0, 64, 0));
    colours.setColor(QPalette::WindowText, QColor(255, 255, 255));
    m_printArea->setPalette(colours);
    m_printArea->setAutoFillBackground(true);

    Command1 = new QPushButton(tr("次いってみよう"), this);
    Command1->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9, QFont::Normal));
    place(Command1, 6480, 840, 1575, 375);
    Command1->setFocus();
    onClick(Command1, [this] { Command1_Click(); });
}

void Form3::Form_Load()
{
    placeOnScreen();
}

void Form3::placeOnScreen()
{
    centreHorizontally();
    const Form1 &main = forms::load<Form1>();
    const float mainHeight = static_cast<float>(main.outerHeightTwips());
    const float mainTop = static_cast<float>(main.topTwips());
    setTopTwips(mainHeight + mainTop + 200.0f);
}

void Form3::Form_Unload(qint16 &cancel)
{
    cancel = game::True;
}

void Form3::Command1_Click()
{
    game::TimeStopped = game::False;
}

void Form3::Cls()
{
    m_printArea->clear();
    Command1->setAccessibleDescription(QString());
}

void Form3::Print(const QString &line)
{
    m_printArea->append(line);
    // A screen reader speaks the day and its scene when the keyboard lands
    // on the next button, as it speaks a button's description with its
    // name: the player who cannot see the main window hears the date too.
    const QString day = shownDay();
    Command1->setAccessibleDescription(day.isEmpty() ? m_printArea->text()
                                                     : day + QLatin1Char('\n') + m_printArea->text());
}

QStringList Form3::printedLines() const
{
    return m_printArea->lines();
}
