#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QTranslator>

bool ToolkitTranslation::installRussian(const QString& programFolder, QCoreApplication* app)
{
    // Kept by `app` even when it finds no copy: one small object until the end.
    auto* translator = new QTranslator(app);
    const bool loaded = translator->load(programFolder + QStringLiteral("lang/qtbase_ru.qm"));
    if (loaded)
        QCoreApplication::installTranslator(translator);
    return loaded;
}
