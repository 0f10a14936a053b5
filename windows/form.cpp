#include "windows/form.h"

#include "services/twips.h"
#include "services/windowreports.h"
#include "windows/accessible.h"

#include <QApplication>
#include <QCloseEvent>

#include <algorithm>

namespace {

Qt::WindowFlags flagsFor(Form::Border border)
{
    const Qt::WindowFlags titleOnly = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (border) {
    case Form::Border::Sizable:
        return Qt::Window | titleOnly;
    case Form::Border::FixedDialog:
        return Qt::Dialog | titleOnly | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    case Form::Border::FixedToolWindow:
        return Qt::Tool | titleOnly | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    return Qt::Window;
}

/// The program's 32 × 32 icon, with larger drawings of it for windows on
/// high-density screens, where the window manager asks for more pixels.
QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon drawn(QStringLiteral(":/icons/purumoke.png"));
        drawn.addFile(QStringLiteral(":/icons/hicolor/purumoke-64.png"));
        drawn.addFile(QStringLiteral(":/icons/hicolor/purumoke-128.png"));
        return drawn;
    }();
    return icon;
}

} // namespace

Form::Form(Border border, bool taskbarEntry)
    : QWidget(nullptr, flagsFor(border))
    , m_reports(&WindowReports::of(*this))
    , m_border(border)
    , m_taskbarEntry(taskbarEntry)
{
    setWindowIcon(programIcon());
    installAccessibleRoles();
    connect(m_reports, &WindowReports::framed, this, &Form::placeWhileSettling);
    connect(m_reports, &WindowReports::frameTold, this, &Form::placeAgainForANewFrame);
    connect(m_reports, &WindowReports::screenChanged, this, &Form::placeAgainForANewFrame);
    // Some window managers place a new window their own way a little after
    // they have mapped it, whatever the program asked for.
    connect(m_reports, &WindowReports::misplaced, this, &Form::placeAgain);
}

void Form::Form_QueryUnload(qint16 &, qint16 &)
{
}

void Form::Form_Unload(qint16 &)
{
}

bool Form::unload(UnloadReason reason)
{
    qint16 cancel = 0;
    qint16 unloadMode = static_cast<qint16>(reason);
    Form_QueryUnload(cancel, unloadMode);
    if (cancel != 0)
        return false;
    Form_Unload(cancel);
    if (cancel != 0)
        return false;
    // A handler of this window may still be running (a button that unloads
    // its own window), so the widget goes once control has left it.
    m_unloaded = true;
    hide();
    deleteLater();
    return true;
}

void Form::closeEvent(QCloseEvent *event)
{
    // The window hides itself when the handlers let it go.
    event->ignore();
    guarded([this] { unload(UnloadReason::PlayerClose); });
}

void Form::focusFirstControl()
{
    for (QWidget *control = nextInFocusChain(); control != this; control = control->nextInFocusChain()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isEnabled() && control->isVisibleTo(this)) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QMargins Form::frame() const
{
    return m_reports->frame();
}

void Form::placeForTheFrame()
{
    // Where the player has put a window, it stays.
    if (m_reports->movedByPlayer())
        return;
    m_placedFor = frame();
    placeOnScreen();
    m_reports->placed();
}

void Form::placeAgain()
{
    const QRect before = geometry();
    placeForTheFrame();
    const bool moved = geometry() != before;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *other = qobject_cast<Form *>(window);
        // One still being framed is placed once it is; one that is where
        // it was placed for its frame stays, unless this one moved.
        if (other && other != this && !other->m_unloaded && other->m_reports->isFramed()
            && (moved || other->frame() != other->m_placedFor))
            other->placeForTheFrame();
    }
}

void Form::placeWhileSettling()
{
    if (m_unloaded)
        return;
    // Once framed, the window is placed for the frames known by then: its
    // own, and the main window's for the message window below it.
    placeAgain();
    m_reports->watchSettling();
}

void Form::placeAgainForANewFrame()
{
    // Some window managers tell the frame late, or tell one for another
    // kind of window than they then draw; a monitor of another density
    // makes another frame in the window's pixels.
    if (!m_unloaded && m_reports->isFramed() && frame() != m_placedFor)
        placeAgain();
}

// Left and top are those of the outer window; Qt places the client area,
// so the frame is added and taken away here.
double Form::leftTwips() const
{
    return twips::fromPixelsX(geometry().x() - frame().left());
}

double Form::topTwips() const
{
    return twips::fromPixelsY(geometry().y() - frame().top());
}

double Form::outerWidthTwips() const
{
    const QMargins margins = frame();
    return twips::fromPixelsX(width() + margins.left() + margins.right());
}

double Form::outerHeightTwips() const
{
    const QMargins margins = frame();
    return twips::fromPixelsY(height() + margins.top() + margins.bottom());
}

void Form::setLeftTwips(double left)
{
    setGeometry(QRect(QPoint(twips::toPixelsX(left) + frame().left(), geometry().y()), size()));
}

void Form::setTopTwips(double top)
{
    setGeometry(QRect(QPoint(geometry().x(), twips::toPixelsY(top) + frame().top()), size()));
}

void Form::setOuterWidthTwips(double width)
{
    const QMargins margins = frame();
    const int client = twips::toPixelsX(width) - margins.left() - margins.right();
    setClientSize(QSize(std::max(client, m_laidOut.width()), height()));
}

void Form::setOuterHeightTwips(double height)
{
    const QMargins margins = frame();
    const int client = twips::toPixelsY(height) - margins.top() - margins.bottom();
    setClientSize(QSize(width(), std::max(client, m_laidOut.height())));
}

// The screen is the primary monitor, which need not be the top-left one
// of the desk: the centred edge is counted from where it begins.
void Form::centreHorizontally()
{
    const float screen = static_cast<float>(twips::screenWidth());
    const float outer = static_cast<float>(outerWidthTwips());
    setLeftTwips(twips::screenLeft() + (screen - outer) / 2.0f);
}

void Form::centreVertically()
{
    const float screen = static_cast<float>(twips::screenHeight());
    const float outer = static_cast<float>(outerHeightTwips());
    setTopTwips(twips::screenTop() + (screen - outer) / 2.0f);
}

void Form::setClientSizeTwips(int width, int height)
{
    setLaidOutClientSize(twips::toPixels(QSize(width, height)));
}

void Form::setLaidOutClientSize(QSize size)
{
    m_laidOut = size;
    setClientSize(size);
}

void Form::setClientSize(QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    if (m_border == Border::Sizable)
        resize(size);
    else
        setFixedSize(size);
}

void Form::place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(twips::toPixels(left, top, width, height));
}
