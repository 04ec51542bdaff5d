#include "MainWindow.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');

    QTranslator translator;
    if (translator.load(programFolder + QStringLiteral("lang/vortel_ru.qm")))
        QCoreApplication::installTranslator(&translator);

    MainWindow window(programFolder, nullptr, Qt::WindowFlags());
    if (!window.isValid())
        return 1;
    window.show();
    return app.exec();
}
