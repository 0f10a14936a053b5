#pragma once

#include "services/qtservices.h"

#include <QList>
#include <QRandomGenerator>

#include <deque>
#include <functional>
#include <optional>

class Form;

/// The platform for tests: windows are real (offscreen), but the boxes are
/// answered from a script and recorded, random numbers come from a fixed
/// seed, ending the program unwinds the game with ProgramEnded instead of
/// ending the process, and the calendar has no pace: each turn comes as soon
/// as the last has finished. Hooks let a test press buttons between turns.
class ScriptedServices : public QtServices
{
public:
    struct Box
    {
        enum class Kind { Message, Input, Error };
        Kind kind;
        BoxIcon icon;
        QString title;
        QString text;
    };

    ScriptedServices();

    void seedRandom() override;
    float nextRandom() override;
    void showModal(QWidget &window, bool taskbarEntry) override;
    void awaitNextTurn(const QWidget &window) override;
    void waitForEvents() override;
    bool screenReaderOn() override { return screenReader; }
    void messageBox(const QString &text, BoxIcon icon, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &preset) override;
    [[noreturn]] void endProgram(int status) override;
    [[noreturn]] void reportRuntimeError(const RuntimeError &error) override;

    /// The seed of the game's random numbers.
    quint32 seed = 20260407;
    /// Random numbers to hand out before the seeded generator's.
    std::deque<float> randomValues;
    /// Answers of the input box in order; nullopt cancels it. When none is
    /// left the preset answer is accepted.
    std::deque<std::optional<QString>> inputAnswers;
    /// The frame the window manager draws around every window, in the
    /// screen's pixels: the one the offscreen platform reports once a
    /// decorated window is shown.
    QMargins frame{2, 2, 2, 2};
    /// The window manager tells the frame of a window anew.
    void tellFrame(QWidget &window) { frameTold(window); }

    /// Whether a screen reader is on; a test may switch it at any time.
    bool screenReader = false;
    /// Runs in every event processing of the calendar's turns.
    std::function<void()> onTurn;
    /// Runs while a stopped day waits; by default presses the next button.
    std::function<void()> onWait;
    /// Runs once a modal window is shown; by default the player closes it.
    std::function<void(Form &)> onModal;
    /// Runs when a message box is shown, before it is answered.
    std::function<void(const Box &)> onBox;

    QList<Box> boxes;
    int turns = 0;
    int waits = 0;
    bool ended = false;
    int exitStatus = -1;

protected:
    std::optional<QMargins> desktopFrame(QWidget &window, bool mayAsk) override;

private:
    void throwIfEnded() const;
    QRandomGenerator m_seeded;
};

/// The calendar's date the day before (month, day); February has 28 days.
std::pair<qint16, qint16> dayBefore(qint16 month, qint16 day);
