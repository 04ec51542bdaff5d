#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString baseName = QStringLiteral("qtbase_ru.qm");

} // namespace

QString ToolkitTranslation::programCopy(const QString& programFolder)
{
    return programFolder + QStringLiteral("lang/") + baseName;
}

bool ToolkitTranslation::installRussian(const QString& programFolder, QCoreApplication* app)
{
    auto* translator = new QTranslator(app);
    if (!translator->load(programCopy(programFolder)) &&
        !translator->load(baseName, QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
