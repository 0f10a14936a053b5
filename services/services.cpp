#include "services/services.h"

namespace {
Services *installed = nullptr;
}

Services &platform()
{
    Q_ASSERT(installed);
    return *installed;
}

void installPlatform(Services *services)
{
    installed = services;
}

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return shown;
}
