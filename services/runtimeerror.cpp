#include "services/runtimeerror.h"

#include "services/services.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

QString describe(ErrorKind kind, const QString &detail)
{
    QString text;
    switch (kind) {
    case ErrorKind::Overflow:
        text = QCoreApplication::translate("RuntimeError", "数値が範囲を超えました（オーバーフロー）。");
        break;
    case ErrorKind::FloatingPoint:
        text = QCoreApplication::translate("RuntimeError", "浮動小数点演算でエラーが起きました。");
        break;
    case ErrorKind::PictureLoading:
        text = QCoreApplication::translate("RuntimeError", "絵のファイルを読み込めません。");
        break;
    case ErrorKind::WindowOperation:
        text = QCoreApplication::translate("RuntimeError", "ウィンドウの操作に失敗しました。");
        break;
    case ErrorKind::Internal:
        text = QCoreApplication::translate("RuntimeError", "内部エラーが起きました。");
        break;
    }
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    return text;
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, const QString &detail)
    : std::runtime_error(describe(kind, detail).toStdString())
    , m_kind(kind)
    , m_message(describe(kind, detail))
{
}

void reportUnhandled(const RuntimeError &error) noexcept
{
    try {
        platform().reportRuntimeError(error);
    } catch (const ProgramEnded &) {
        // A scripted platform unwinds here; the real one never returns.
    } catch (...) {
        std::abort();
    }
}

void reportUnhandled(const std::exception &error) noexcept
{
    try {
        reportUnhandled(RuntimeError(ErrorKind::Internal, QString::fromLocal8Bit(error.what())));
    } catch (...) {
        std::abort();
    }
}
