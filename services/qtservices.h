#pragma once

#include "services/services.h"

#include <QRandomGenerator>

#include <map>

/// The game's platform on a real desktop, through Qt.
class QtServices : public Services
{
public:
    /// The program ends only when the game says so, never because no
    /// window happens to be visible.
    QtServices();

    void seedRandom() override;
    float nextRandom() override;

    void showWindow(Form &form) override;
    void showModal(Form &form) override;
    void activateWindow(Form &form) override;
    void hideWindow(Form &form) override;
    QMargins frameMargins(const Form &form) override;

    void processEvents() override;
    void waitForEvents() override;

    void messageBox(const QString &text, BoxIcon icon, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &preset) override;

    QPixmap loadPicture(const QString &fileName, qreal deviceRatio) override;

    [[noreturn]] void endProgram(int status) override;
    [[noreturn]] void reportRuntimeError(const RuntimeError &error) override;

private:
    QRandomGenerator m_random;
    // The window manager's frame for each border kind, once it has said.
    std::map<int, QMargins> m_frames;
};

/// A uniform random number strictly below 1 from 24 random bits, so that
/// it stays below 1 when rounded to single precision.
float unitFloat(quint32 bits);
