#include "MainWindow.h"
#include "ToolkitTranslation.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');

    QTranslator translator;
    if (translator.load(programFolder + QStringLiteral("lang/vortel_ru.qm"))) {
        // Installed first, the toolkit's texts are looked up after the program's own.
        ToolkitTranslation::installRussian(programFolder, &app);
        QCoreApplication::installTranslator(&translator);
    }

    MainWindow window(programFolder, nullptr, Qt::WindowFlags());
    if (!window.isValid())
        return 1;
    window.show();
    return app.exec();
}
