#include "CatalogueQueries.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "MatchingWidget.h"
#include "TestSupport.h"

#include <qwt_plot_canvas.h>

// A long session of random user actions on the real window. After each one the plot, the
// selected rows and the comparison name the same fans, the table lists what SQLite selects with
// the table's own condition, and nothing was written to standard error.
class TestMonkey : public QObject
{
    Q_OBJECT

    QRandomGenerator random;

    int pick(int count) { return count > 0 ? int(random.bounded(quint32(count))) : 0; }
    template<typename T> T* any(const QList<T*>& list) { return list.value(pick(list.size())); }

private slots:
    void longSession()
    {
        const QByteArray seedText = qgetenv("VORTEL_MONKEY_SEED");
        const quint32 seed = seedText.isEmpty() ? 20261206u : seedText.toUInt();
        const int steps = 5000;
        qInfo("seed %u, %d actions", seed, steps);
        random.seed(seed);
        TestCatalogue catalogue;
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
        BoxCloser boxes;
        boxes.tickCheckBox = true; // the advice after a search or a match, once
        MainWindow window(catalogue.folder());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        leaveStartPage(window, pick(4));
        QTableView* fans = window.findChildren<QTableView*>().first();
        auto* plot = window.findChild<FanPlot*>();

        const auto showTab = [&](int index) {
            QTabBar* bar = window.findChild<QTabWidget*>()->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        };
        const auto clickTreeNode = [&] {
            showTab(0);
            auto* tree = window.findChild<QTreeWidget*>();
            const auto items = tree->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive);
            QTreeWidgetItem* item =
                items.value(pick(3) ? 0 : pick(items.size())); // mostly the root
            tree->scrollToItem(item);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                              tree->visualItemRect(item).center());
        };
        // A click toggles the row's selection; the tab shown is any.
        const auto clickRow = [&] {
            showTab(pick(5));
            const QModelIndex index =
                fans->model()->index(pick(fans->model()->rowCount()), CatalogueQueries::FanModel);
            fans->scrollTo(index);
            QTest::mouseClick(fans->viewport(), Qt::LeftButton, {},
                              fans->visualRect(index).center());
        };
        const auto toggleFilter = [&] {
            QListWidget* list = any(MainWindowProbe::filters(window))->listWidget();
            if (QListWidgetItem* item = list->item(pick(list->count())))
                item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked
                                                                      : Qt::Checked);
        };
        const auto search = [&] {
            static const QStringList typed =
                QString("вкр|ВКР-4|вр80-75-4|ВКОП(Ф)-4|4|6,3|ВКР-4Ж сх 1|999|во 06-300 к|ВР 80-75")
                    .split('|');
            QString text = typed.value(pick(typed.size() + 2));
            const QString junk = QStringLiteral("'\"%_\\;-(), .=0123456789абвЖСХ\tx");
            for (int i = pick(4) ? 0 : pick(12); i > 0; --i)
                text += junk.at(pick(junk.size()));
            auto* edit = window.findChild<QLineEdit*>("searchEdit");
            edit->clear();
            for (const QChar c : text) // keyClicks knows only ASCII
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            QTest::keyClick(edit, Qt::Key_Return);
        };
        const auto match = [&] {
            auto* matching = window.findChild<MatchingWidget*>();
            if (pick(2))
                any(matching->findChildren<QCheckBox*>())->click();
            if (QDoubleSpinBox* spin = any(matching->findChildren<QDoubleSpinBox*>()); pick(2))
                spin->setValue(random.bounded(spin->maximum() / 50));
            if (QSpinBox* spin = any(matching->findChildren<QSpinBox*>()); pick(2))
                spin->setValue(pick(spin->maximum() + 1));
            matching->btMatch()->click();
        };
        // Press, a few moves and release on the plot: the working point follows the mouse.
        const auto drag = [&] {
            showTab(1);
            QWidget* canvas = plot->canvas();
            const auto point = [&] {
                return QPoint(pick(canvas->width()), pick(canvas->height()));
            };
            QTest::mousePress(canvas, Qt::LeftButton, {}, point());
            for (int i = pick(4); i > 0; --i)
                QTest::mouseMove(canvas, point());
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, point());
        };
        // The plot's analysis switches; drags and matches set the duty they show.
        const auto toggleAnalysis = [&] {
            showTab(1);
            window.findChild<QCheckBox*>(pick(2) ? "OperatingPoints" : "Efficiency")->click();
        };
        // Rows are clicked most, as a user studying fans would.
        // clang-format off
        const QVector<std::function<void()>> actions{clickTreeNode, clickTreeNode, clickRow,
            clickRow, clickRow, clickRow, toggleFilter, search, match, drag, toggleAnalysis};
        // clang-format on

        for (int step = 0; step < steps; ++step) {
            StderrCapture err;
            const int action = pick(actions.size());
            actions.at(action)();
            const QString where = QString("step %1, action %2").arg(step).arg(action);
            QVERIFY2(window.isVisible(), qPrintable(where));
            QStringList selected, plotted, compared = MainWindowProbe::comparedFanIds(window);
            for (const QModelIndex& row :
                 fans->selectionModel()->selectedRows(CatalogueQueries::FanId))
                selected.append(row.data().toString());
            for (const FanCalculator& fan : plot->fans())
                plotted.append(QString::number(fan.get_Id()));
            for (QStringList* list : {&selected, &plotted, &compared})
                list->sort();
            QVERIFY2(plotted == selected && compared == selected, qPrintable(where));
            QCOMPARE(tableIds(window), sqliteFanIds(catalogue.catalogueFile(),
                                                    MainWindowProbe::tableCondition(window)));
            QVERIFY2(err.text().isEmpty(), qPrintable(where + ": " + err.text()));
        }
        for (const QString& text : qAsConst(boxes.texts))
            QVERIFY2(text.startsWith("You may filter"), qPrintable(text));
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
