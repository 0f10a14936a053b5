#pragma once

#include "windows/form.h"

#include <QStringList>

class QPushButton;
class PrintArea;

/// The message window: the day's scene, printed in white on dark green,
/// and the next button that lets time run on. It refuses every unload.
class Form3 : public Form
{
    Q_OBJECT

public:
    Form3();

    void Form_Load() override;
    void placeOnScreen() override;
    void Form_Unload(qint16 &cancel) override;
    void Command1_Click();

    /// Erases the printed text; printing starts again at the top left.
    void Cls();
    /// Prints one line and moves to the start of the next line. Lines never
    /// wrap: what passes the right edge is not shown.
    void Print(const QString &line);
    /// The lines printed since the last clear.
    QStringList printedLines() const;

    QPushButton *Command1 = nullptr; ///< "次いってみよう": time runs on

private:
    PrintArea *m_printArea = nullptr;
};
