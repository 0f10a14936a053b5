#include "tests/scriptedservices.h"

#include "services/runtimeerror.h"
#include "windows/form.h"
#include "windows/form3.h"
#include "windows/forms.h"

#include <QPushButton>

#include <QApplication>
#include <QTest>

#include <stdexcept>

namespace {
constexpr int WaitLimit = 1000;
} // namespace

ScriptedServices::ScriptedServices()
    : m_seeded(seed)
{
}

void ScriptedServices::seedRandom()
{
    m_seeded.seed(seed);
}

float ScriptedServices::nextRandom()
{
    if (!randomValues.empty()) {
        const float value = randomValues.front();
        randomValues.pop_front();
        return value;
    }
    return unitFloat(m_seeded.generate());
}

void ScriptedServices::showModal(QWidget &window, bool taskbarEntry)
{
    window.setWindowModality(Qt::ApplicationModal);
    showWindow(window, taskbarEntry);
    if (auto *form = qobject_cast<Form *>(&window); form && onModal)
        onModal(*form);
    if (!window.isHidden() && !ended)
        window.close();
    throwIfEnded();
}

std::optional<QMargins> ScriptedServices::desktopFrame(QWidget &, bool)
{
    return frame;
}

void ScriptedServices::awaitNextTurn(const QWidget &)
{
    QCoreApplication::processEvents();
    ++turns;
    if (onTurn)
        onTurn();
    throwIfEnded();
}

void ScriptedServices::waitForEvents()
{
    QCoreApplication::processEvents();
    if (++waits > WaitLimit)
        throw std::logic_error("a stopped day waits for ever: the script never lets time run on");
    if (onWait) {
        onWait();
    } else if (Form3 *messages = forms::loaded<Form3>()) {
        QTest::mouseClick(messages->Command1, Qt::LeftButton);
    }
    throwIfEnded();
}

void ScriptedServices::messageBox(const QString &text, BoxIcon icon, const QString &title)
{
    boxes.append({Box::Kind::Message, icon, title, text});
    if (onBox)
        onBox(boxes.last());
    throwIfEnded();
}

QString ScriptedServices::inputBox(const QString &prompt, const QString &title,
                                   const QString &preset)
{
    boxes.append({Box::Kind::Input, BoxIcon::Information, title, prompt});
    if (inputAnswers.empty())
        return preset;
    const std::optional<QString> answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer.value_or(QString());
}

void ScriptedServices::endProgram(int status)
{
    ended = true;
    exitStatus = status;
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    throw ProgramEnded{status};
}

void ScriptedServices::reportRuntimeError(const RuntimeError &error)
{
    boxes.append({Box::Kind::Error, BoxIcon::Information, QStringLiteral("実行時エラー"),
                  error.message()});
    ScriptedServices::endProgram(1);
}

void ScriptedServices::throwIfEnded() const
{
    if (ended)
        throw ProgramEnded{exitStatus};
}

std::pair<qint16, qint16> dayBefore(qint16 month, qint16 day)
{
    if (day > 1)
        return {month, qint16(day - 1)};
    static constexpr qint16 lengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const qint16 previous = month == 1 ? 12 : qint16(month - 1);
    return {previous, lengths[previous]};
}
