#pragma once

#include "windows/form.h"

#include <array>

class QPushButton;
class Label;

/// The graph window: each heroine's name and a bar of her share of the
/// points in twentieths. Modal; built afresh every time it opens.
class Form4 : public Form
{
    Q_OBJECT

public:
    /// Twenty characters: the grey track, and the red bar's characters.
    static QString barText();

    Form4();

    void Form_Load() override;
    void placeOnScreen() override;
    void Command1_Click();

    std::array<Label *, 3> Label1{};  ///< the three names
    std::array<Label *, 6> Label2{};  ///< tracks 0 to 2, red bars 3 to 5 over them
    QPushButton *Command1 = nullptr;  ///< "よし": closes the window

protected:
    /// "よし" is the window's default and cancel button: Return, Enter and
    /// Escape press it.
    void keyPressEvent(QKeyEvent *event) override;
};
