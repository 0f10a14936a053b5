// Takes the README's screenshots of the real game on an X server: the title
// window, a stopped day with its scene, the graph and the ending.
//   xvfb-run -a -s "-screen 0 1024x768x24" screenshots OUTPUT_FOLDER [en]
// Run it from the folder with the game's pictures, with a window manager on
// the display for the frames (openbox &). On a high-density screen (for
// example with QT_SCALE_FACTOR=2 and a 2048x1536 screen) the files are named
// after the ratio: scene-ratio2.png. With "en" the game is played in
// English and the files are named after it: scene-en.png.
#include "game/module1.h"
#include "game/opening.h"
#include "services/language.h"
#include "services/qtservices.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/form5.h"
#include "windows/forms.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

QString outputFolder;
/// Put before a file name's extension: the language, when not Japanese.
QString nameSuffix;

/// Lets the windows settle on the screen.
void settle()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 600)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

/// Saves the part of the screen that the visible windows cover.
void shoot(const QString &name)
{
    settle();
    QRect covered;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            covered |= window->frameGeometry();
    }
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    // The grab has the screen's own pixels; the windows' places do not.
    const qreal ratio = screen.devicePixelRatio();
    const QRect pixels = QRectF(QRectF(covered.adjusted(-8, -8, 8, 8)).topLeft() * ratio,
                                QRectF(covered.adjusted(-8, -8, 8, 8)).size() * ratio).toAlignedRect();
    QString file = name;
    file.insert(file.lastIndexOf(QLatin1Char('.')), nameSuffix);
    if (ratio != 1.0)
        file.insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("-ratio%1").arg(ratio));
    screen.copy(pixels).save(QDir(outputFolder).filePath(file));
}

/// The scripted game, but with the frames the window manager really draws.
class ScreenshotServices : public ScriptedServices
{
public:
protected:
    std::optional<QMargins> desktopFrame(QWidget &window, bool mayAsk) override
    {
        return QtServices::desktopFrame(window, mayAsk);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    outputFolder = QString::fromLocal8Bit(argv[1]);
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("en")) {
        language::use(Language::English);
        nameSuffix = QStringLiteral("-en");
    }
    QDir().mkpath(outputFolder);

    ScreenshotServices services;
    freshGame(services);
    using namespace game;

    // Stop on the fair and on the second folk dance; look at the graph on
    // the second stop; the friend's +20 brings her letter.
    services.onTurn = [] {
        if (SchoolYear == 1 && ((Month == 9 && Day == 9) || (Month == 10 && Day == 9)))
            press(forms::loaded<Form1>()->Command1);
    };
    services.onWait = [&] {
        if (services.waits == 1)
            shoot(QStringLiteral("scene.png"));
        if (services.waits == 2)
            press(forms::loaded<Form1>()->Command2);
        press(forms::loaded<Form3>()->Command1);
    };
    services.onModal = [](Form &graph) {
        shoot(QStringLiteral("graph.png"));
        press(static_cast<Form4 &>(graph).Command1);
    };

    guarded(Main);
    shoot(QStringLiteral("title.png"));
    playFromTitle();
    if (!forms::loaded<Form5>())
        return 1;
    shoot(QStringLiteral("ending.png"));
    return 0;
}
