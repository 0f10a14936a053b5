#include "windows/form3.h"

#include "game/module1.h"
#include "windows/form1.h"
#include "windows/forms.h"

#include <QAccessible>
#include <QPainter>
#include <QPushButton>

/// The surface the scene is printed on. It keeps the printed lines so that
/// they are drawn again whenever the window is uncovered, and tells
/// assistive technology what they say.
class PrintArea : public QWidget
{
public:
    explicit PrintArea(QWidget *parent)
        : QWidget(parent)
    {
        setAccessibleName(QStringLiteral("メッセージ"));
    }

    const QStringList &lines() const { return m_lines; }

    void clear()
    {
        m_lines.clear();
        changed();
    }

    void append(const QString &line)
    {
        m_lines.append(line);
        changed();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setFont(font());
        const QFontMetrics metrics(font());
        // The four lines of a scene must stay above the next button, so a
        // face with tall line metrics is printed at a tighter pitch.
        const int pitch = qMin(metrics.height(), height() * 840 / 1350 / 4);
        int y = 0;
        for (const QString &line : m_lines) {
            painter.drawText(0, y + metrics.ascent(), line);
            y += pitch;
        }
    }

private:
    void changed()
    {
        setAccessibleDescription(m_lines.join(QLatin1Char('\n')));
        update();
    }

    QStringList m_lines;
};

Form3::Form3()
    : Form(Border::FixedToolWindow, false)
{
    setWindowTitle(QStringLiteral("メッセージ"));
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

    Command1 = new QPushButton(QStringLiteral("次いってみよう"), this);
    Command1->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9, QFont::Normal));
    place(Command1, 6480, 840, 1575, 375);
    Command1->setFocus();
    onClick(Command1, [this] { Command1_Click(); });
}

void Form3::Form_Load()
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
}

void Form3::Print(const QString &line)
{
    m_printArea->append(line);
}

QStringList Form3::printedLines() const
{
    return m_printArea->lines();
}
