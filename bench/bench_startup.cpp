// Started by bench_selection as a process of its own: builds the program's window as main()
// does, or with VORTEL_BARE_WINDOW a bare Qt window, and prints "painted" once the window's
// first paint is done, then quits.
//
// Usage: bench_startup <program folder>   or   bench_startup_bare

#ifndef VORTEL_BARE_WINDOW
#include "MainWindow.h"

#include <QTranslator>
#endif

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// Waits for the first paint of any widget in the window; the report follows once the whole
// paint pass is done.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget* window) : window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window) {
            seen = true;
            QTimer::singleShot(0, window, [] {
                std::printf("painted\n");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* window;
    bool seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
#ifdef VORTEL_BARE_WINDOW
    QWidget window;
    window.resize(800, 600);
#else
    const QString programFolder = argc > 1
                                      ? QString::fromLocal8Bit(argv[1])
                                      : QCoreApplication::applicationDirPath() + QLatin1Char('/');
    QTranslator translator;
    if (translator.load(programFolder + QStringLiteral("lang/vortel_ru.qm")))
        QCoreApplication::installTranslator(&translator);
    MainWindow window(programFolder, nullptr, Qt::WindowFlags());
    if (!window.isValid())
        return 1;
#endif
    PaintWatch watch(&window);
    app.installEventFilter(&watch);
    window.show();
    return app.exec();
}
