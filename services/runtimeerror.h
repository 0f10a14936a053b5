#pragma once

#include <QString>

#include <stdexcept>

/// What went wrong in a run-time error; each kind has its own report.
enum class ErrorKind {
    Overflow,        ///< a 16-bit integer left its range
    FloatingPoint,   ///< invalid operation, overflow or division by zero
    PictureLoading,  ///< a picture file is missing or cannot be read
    WindowOperation, ///< a window or control operation failed
    Internal,        ///< anything else (out of memory, a fault of ours)
};

/// An error that no procedure of the game handles. It travels up to the
/// nearest window handler, which shows the run-time error report and ends
/// the program.
class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(ErrorKind kind, const QString &detail = {});

    ErrorKind kind() const { return m_kind; }
    /// The report's text: what happened and, for a picture, the file and why.
    QString message() const { return m_message; }

private:
    ErrorKind m_kind;
    QString m_message;
};

/// Thrown by a scripted platform to unwind a game that has ended; the real
/// platform ends the process instead and never throws it.
struct ProgramEnded
{
    int status = 0;
};

/// Runs a window handler. A run-time error escaping from it becomes the
/// run-time error report, which ends the program; nothing escapes into
/// Qt's event loop.
template <class Handler>
void guarded(Handler &&handler) noexcept;

void reportUnhandled(const RuntimeError &error) noexcept;
void reportUnhandled(const std::exception &error) noexcept;

template <class Handler>
void guarded(Handler &&handler) noexcept
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        reportUnhandled(error);
    } catch (const ProgramEnded &) {
        // A scripted game has ended inside this handler: nothing more runs.
    } catch (const std::exception &error) {
        reportUnhandled(error);
    }
}
