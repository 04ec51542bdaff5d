// Makes the README's picture: the built program on its demo catalogue, a duty matched, several
// fans chosen, the operating points and efficiency on, the plot tab shown. Run through the
// "screenshot" build target, which starts it on an Xvfb display of its own.
#include "ClickableLabel.h"
#include "MainWindow.h"
#include "MatchingWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshot PROGRAM_FOLDER OUTPUT.png\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const QString output = QString::fromLocal8Bit(argv[2]);

    QTranslator translator;
    if (translator.load(folder + QStringLiteral("lang/vortel_ru.qm")))
        QCoreApplication::installTranslator(&translator);

    // The advice boxes a match brings up would wait for a click.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    closer.start(50);

    MainWindow window(folder, nullptr, Qt::WindowFlags());
    if (!window.isValid())
        return 1;
    window.setGeometry(0, 0, 1500, 900);
    window.show();

    QTimer::singleShot(300, [&] {
        // A duty of 5,000 m³/h at 600 Pa and four of the fans matched to it.
        QMetaObject::invokeMethod(window.findChildren<ClickableLabel*>().value(2), "clicked");
        auto* matching = window.findChild<MatchingWidget*>();
        matching->matchByPoint(QPointF(5000.0, 600.0));
        for (auto* box : window.findChildren<QCheckBox*>())
            if (box->objectName() == QLatin1String("OperatingPoints") ||
                box->objectName() == QLatin1String("Efficiency"))
                box->setChecked(true);
        QTableView* table = window.findChild<QTableView*>();
        // Fans that differ in more than their material, so no two curves coincide.
        const QAbstractItemModel* model = table->model();
        QSet<QString> seen;
        for (int row = 0; row < model->rowCount() && seen.size() < 4; ++row) {
            // Column 0 is the hidden id; then model, diameter, nominal, ..., impeller speed.
            QString key;
            for (int column : {1, 2, 3, 8})
                key += model->index(row, column).data().toString() + QLatin1Char('|');
            if (seen.contains(key))
                continue;
            seen.insert(key);
            table->selectionModel()->select(model->index(row, 0), QItemSelectionModel::Select |
                                                                      QItemSelectionModel::Rows);
        }
    });
    QTimer::singleShot(1500, [&] { window.findChild<QTabWidget*>()->setCurrentIndex(1); });
    QTimer::singleShot(2500, [&] {
        const bool saved = window.grab().save(output);
        std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(output));
        QApplication::exit(saved ? 0 : 1);
    });
    return app.exec();
}
