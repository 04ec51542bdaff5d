#include "MainWindow.h"
#include "ScheduleCommand.h"
#include "ToolkitTranslation.h"

#include <QApplication>
#include <QTranslator>

#include <cstdio>

namespace {

QString programFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

// The translation is wherever the program is; it is loaded whatever the system language is.
void installTranslator(QTranslator& translator)
{
    if (translator.load(programFolder() + QStringLiteral("lang/vortel_ru.qm")))
        QCoreApplication::installTranslator(&translator);
}

// The schedule selection: no window, so no display and no settings.
int runSchedule(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTranslator translator;
    installTranslator(translator);
    QByteArray out, err;
    const int code = ScheduleCommand::run(app.arguments().mid(1), programFolder(), out, err);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    return code;
}

} // namespace

int main(int argc, char* argv[])
{
    if (ScheduleCommand::requested(argc, argv))
        return runSchedule(argc, argv);

    QApplication app(argc, argv);
    QTranslator translator;
    if (translator.load(programFolder() + QStringLiteral("lang/vortel_ru.qm"))) {
        // Installed first, the toolkit's texts are looked up after the program's own.
        ToolkitTranslation::installRussian(programFolder(), &app);
        QCoreApplication::installTranslator(&translator);
    }

    MainWindow window(programFolder(), nullptr, Qt::WindowFlags());
    if (!window.isValid())
        return 1;
    window.show();
    return app.exec();
}
