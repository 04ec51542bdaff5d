// Times the fan table on a large synthetic catalogue without and then with a duty: the root's
// result loaded, sorted by a catalogue column and a screen further down shown, each with its
// repaint. With a duty the six duty columns are solved only for the rows shown, so the two should
// differ little. Also a sort by a duty column, which solves every row.
//
// Usage: bench_duty [fan count] [rounds]   (default 100000 fans, 5 rounds)

#include "BenchTiming.h"
#include "CatalogueQueries.h"
#include "DutyColumns.h"
#include "FanPlot.h"
#include "MainWindow.h"
#include "SyntheticCatalogue.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

enum Action { Load, Sort, Screen, Total, ActionCount };
const char* const actionNames[ActionCount] = {
    "root node loaded (table + 6 lists)", "sorted by revs", "a screen further down", "all three"};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int fanCount = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    const int rounds = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 5;

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    if (!buildCatalogue(folder + QStringLiteral("fans.dat"), fanCount)) {
        std::fprintf(stderr, "could not build the catalogue\n");
        return 1;
    }
    QSettings(folder + QStringLiteral("vortel.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("MainWindow/ShowMatchAdvice"), false);

    MainWindow window(folder);
    if (!window.isValid())
        return 1;
    window.resize(1280, 900);
    window.show();
    window.ssFanChosen(QString()); // the working page, with nothing chosen yet
    QApplication::processEvents();
    auto* tree = window.findChild<QTreeWidget*>();
    auto* table = window.findChild<QTableView*>();
    auto* plot = window.findChild<FanPlot*>();
    QTreeWidgetItem* root = tree->topLevelItem(0);

    // One round as the user goes: a fresh result in its default order, a header click, a scroll.
    auto round = [&](std::vector<double>* figures) {
        table->horizontalHeader()->setSortIndicator(CatalogueQueries::FanId, Qt::DescendingOrder);
        tree->setCurrentItem(nullptr);
        QApplication::processEvents();
        const double times[] = {
            timeAction([&] { tree->setCurrentItem(root); }), timeAction([&] {
                table->horizontalHeader()->setSortIndicator(CatalogueQueries::FanRev,
                                                            Qt::AscendingOrder);
            }),
            timeAction([&] {
                table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum() / 2);
                table->viewport()->repaint();
            })};
        for (int i = 0; i < Total; ++i)
            figures[i].push_back(times[i]);
        figures[Total].push_back(times[0] + times[1] + times[2]);
    };

    std::vector<double> plain[ActionCount];
    std::vector<double> withDuty[ActionCount];
    std::vector<double> warmUp[ActionCount];
    round(warmUp);
    for (int i = 0; i < rounds; ++i)
        round(plain);
    // A duty about one fan in twenty is listed for by a match, as the user would set it.
    plot->setWorkingPoint(5000.0, 800.0);
    for (int i = 0; i < rounds; ++i)
        round(withDuty);

    std::vector<double> dutySorts;
    for (int i = 0; i < rounds; ++i) {
        table->horizontalHeader()->setSortIndicator(CatalogueQueries::FanId, Qt::DescendingOrder);
        tree->setCurrentItem(nullptr);
        tree->setCurrentItem(root);
        QApplication::processEvents();
        dutySorts.push_back(timeAction([&] {
            table->horizontalHeader()->setSortIndicator(
                CatalogueQueries::FanColumnCount + DutyColumns::Efficiency, Qt::DescendingOrder);
        }));
    }
    int operating = 0;
    const int rows = table->model()->rowCount();
    for (int row = 0; row < rows; ++row)
        operating += table->model()->index(row, CatalogueQueries::FanColumnCount).data().isValid();

    std::printf("%d fans, %d round(s), duty 5000 m3/h at 800 Pa: %d fans have a point\n\n", rows,
                rounds, operating);
    std::printf("%-36s %12s %12s %8s\n", "action", "no duty", "duty", "more");
    for (int i = 0; i < ActionCount; ++i) {
        const double a = median(plain[i]);
        const double b = median(withDuty[i]);
        std::printf("%-36s %9.1f ms %9.1f ms %7.1f%%\n", actionNames[i], a, b,
                    a > 0 ? (b / a - 1.0) * 100.0 : 0.0);
    }
    std::printf("%-36s %12s %9.1f ms\n", "sorted by efficiency at duty", "-", median(dutySorts));
    return 0;
}
