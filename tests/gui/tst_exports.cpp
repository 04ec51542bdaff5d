#include "CatalogueQueries.h"
#include "ComparisonView.h"
#include "Exporter.h"
#include "FanPlot.h"
#include "ScheduleDialog.h"
#include "ScheduleResultModel.h"
#include "TestSupport.h"

using L = QStringList;

// What the window writes into files, read back: the plot as image, drawing and PDF, the curves,
// the fan table and the comparison as CSV; a file that cannot be written. Then the schedule
// selection: opened through the File menu, shown ranked and sortable, exported, its fans sent to
// the plot and the comparison; a bad file refused with a box.
class TestExports : public QObject
{
    Q_OBJECT
    TestCatalogue catalogue, scheduleCatalogue;
    std::unique_ptr<MainWindow> window;
    Exporter* exporter = nullptr;
    ScheduleDialog* dialog = nullptr;
    QTemporaryDir dir;

    // The lines of a CSV export, the byte-order mark first, the empty one after the last CR LF.
    QStringList csv(bool (Exporter::*write)(const QString&), const QString& name)
    {
        const QString file = dir.filePath(name);
        return (exporter->*write)(file) ? QString::fromUtf8(fileBytes(file)).split("\r\n") : L();
    }

    // Accepts the file dialog the next action opens with `file` chosen, under `filter` if given.
    void chooseFile(const QString& file, const QString& filter = QString())
    {
        QTimer::singleShot(0, this, [file, filter] {
            auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (!filter.isEmpty())
                box->selectNameFilter(filter);
            box->selectFile(file);
            QMetaObject::invokeMethod(box, "accept");
        });
    }

    QPushButton* button(const char* name) { return dialog->findChild<QPushButton*>(name); }

private slots:
    // Fans 1 and 2 (ВР80-75, Схема 1) plotted, with their efficiency and where they run through
    // 3000 m³/h, 1500 Pa.
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
        window = std::make_unique<MainWindow>(catalogue.folder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        leaveStartPage(*window, 0);
        auto* tree = window->findChild<QTreeWidget*>();
        tree->setCurrentItem(tree->findItems("ВР 80-75", Qt::MatchRecursive).value(0)->child(0));
        window->findChild<QTableView*>()->selectAll();
        window->findChild<QCheckBox*>("Efficiency")->setChecked(true);
        window->findChild<QCheckBox*>("OperatingPoints")->setChecked(true);
        window->findChild<FanPlot*>()->setWorkingPoint(3000, 1500);
        exporter = window->findChild<Exporter*>();
    }

    // A4 landscape at 150 dpi: 297 / 25.4 · 150 = 1753.9 by 210 / 25.4 · 150 = 1240.2 pixels. The
    // drawing holds every axis title, the extra ones too, the efficiency scale's, a curve's label
    // and a duty's, once; the same renderer writes the PDF, as printing does.
    // Into a missing folder: a box naming the file, and no file. The menu's entries before Exit;
    // the plot's asks for a file.
    void plotFilesAndMenu()
    {
        for (const QString suffix : {"png", "svg", "pdf"})
            QVERIFY(exporter->exportPlot(dir.filePath("p." + suffix)));
        QVERIFY(approved("export.png", QImage(dir.filePath("p.png")))); // 1754 by 1240, on white
        QXmlStreamReader xml(fileBytes(dir.filePath("p.svg")));
        QString texts;
        while (!xml.atEnd())
            xml.readNext(), texts += xml.text() + ' ';
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        for (const QString seen : {"Q, m³/s", "P, Pa (400 °C)", "P, Pa (600 °C)", "η, %", "N, kW",
                                   "2850 rev/min", "Q: 1722"})
            QVERIFY2(texts.count(seen) == 1, qPrintable(seen));
        QVERIFY(fileBytes(dir.filePath("p.pdf")).startsWith("%PDF-"));
        const QString bad = dir.filePath("missing/x.");
        BoxCloser boxes;
        QVERIFY(!exporter->exportPlot(bad + "pdf") && !exporter->exportTable(bad + "csv"));
        QCOMPARE(boxes.texts.filter(bad).size(), 2);
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
        QStringList entries;
        for (const QAction* entry : menuAction(*window, "&Exit")->associatedWidgets()[0]->actions())
            entries << entry->text() + entry->shortcut().toString();
        QCOMPARE(entries.mid(6),
                 L({"Export p&lot...", "Export &curves...", "Export &table...",
                    "Export compariso&n...", "Select for a sc&hedule...", "&Exit"}));
        chooseFile(dir.filePath("chosen"), "SVG drawing (*.svg)"); // takes the filter's suffix
        menuAction(*window, "Export p&lot...")->trigger();
        QVERIFY(QFileInfo(dir.filePath("chosen.svg")).size() > 0);
    }

    // Curves: each fan's first sample, at φ 0.1. Fan 1: De 0.4, u = 28π/3, Q = 13264.75φ =
    // 1326.47; ψ = 0.85 + 0.2φ − 2φ² + (φπ/1.2)² = 0.9185389, P = 0.6u²ψ = 515.8513ψ = 473.830;
    // λ = 0.5φ² + 0.05φ + 0.1 = 0.11, N = λ·0.6π·De²·u³/4000 = 0.209081; η = φψ/λ = 83.5035 %.
    // Fan 2 (400 °C, shown at 20 °C): De 0.315, u = 47.00608, Q 1318.77, P = 1325.743ψ = 1217.75,
    // N 0.534216. The table sorted by P: fan 1 (300 - 500) before fan 2 (700 - 900), against the
    // newest-first listing; fan 2's duty as in tst_mainwindow's comparison test. Fan 1: ψ =
    // 56.84892φ² on the system, φ 0.1297959, Q 1722, P 494, λ 0.1149133, N 0.218, η 108.2,
    // 29.1 % of 0.75 kW, not stable. The comparison: a column per fan, the id row hidden.
    void csvFiles()
    {
        const QStringList curves = csv(&Exporter::exportCurves, "curves.csv");
        QCOMPARE(curves.size(), 1 + 32 + 1 + 32 + 1);
        QCOMPARE(L({curves.value(0), curves.value(1), curves.value(33), curves.value(34)}),
                 L({"\uFEFFfan,\"Q, m³/h\",\"P at 20 °C, Pa\",\"N at 20 °C, kW\",\"η, %\"",
                    "ВР80-75-3.15 2850 rev/min,1318.77,1217.75,0.534216,83.5035", "",
                    "ВР80-75-4 1400 rev/min,1326.47,473.83,0.209081,83.5035"}));
        window->findChild<QTableView*>()->sortByColumn(CatalogueQueries::FanModel + 9,
                                                       Qt::AscendingOrder);
        QCOMPARE(
            csv(&Exporter::exportTable, "fans.csv"),
            L({"\uFEFFModel,\"Diameter, dm\",Nominal,Material,Scheme,\"Power, KW\",\"Speed, "
               "rev/min\",\"Revs, rev/min\",\"Q, m³/h\",\"P, Pa\",\"Q at duty, m³/h\",\"P at "
               "duty, Pa\",\"N at duty, kW\",\"Efficiency at duty, %\",\"Motor load, %\",Stable",
               "ВР80-75,4,1,О,Схема 1,0.75,1500,1400,\"1250,5 - 4000,5\",300 - "
               "500,1722,494,0.218,108.2,29.1,no",
               "ВР80-75,3.15,1,Ж,Схема 1,5.5,3000,2850,1500 - 3000,700 - "
               "900,3027,1527,0.669,191.8,12.2,no",
               ""}));
        const QStringList cmp = csv(&Exporter::exportComparison, "cmp.csv");
        QCOMPARE(cmp.size(), 12 + 4 + 8 + 1);
        QCOMPARE(cmp.filter(QRegularExpression("^.?(Model|Order|Stable|N at rated)")),
                 L({"\uFEFFModel,ВР80-75,ВР80-75", "Order online,,https://vortel.example/order/2",
                    "Stable,no,no", "\"N at rated temperature, kW\",,0.291"}));
    }

    // The catalogue and schedule of the command line's test, worked there: duty П1 is met by
    // fans 1 and 3 (N 0.06π⁴ = 5.845 kW), ДУ at 400 °C by fan 2 with a cold start at 194.8 % of
    // its motor, "none" by no fan. Opened through the File menu, shown in the schedule's order,
    // then by power at the duty after a header click, rows without a number last. Seen whole: a
    // title over every column but the hidden fan id, stability in words, the cold start over the
    // motor's power in red.
    void rankedAndSorted()
    {
        QVERIFY(scheduleCatalogue.build(QString::fromUtf8(
            fileBytes(VORTEL_SOURCE_DIR "/tests/support/schedule_catalogue.sql"))));
        window.reset(); // one catalogue connection at a time
        window = std::make_unique<MainWindow>(scheduleCatalogue.folder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        chooseFile(VORTEL_SOURCE_DIR "/tests/support/schedule.csv");
        menuAction(*window, "Select for a sc&hedule...")->trigger();
        dialog = window->findChild<ScheduleDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        QTableView* view = dialog->table();
        const QAbstractItemModel* model = view->model();
        QAbstractItemModelTester tester(view->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto column = [model](int c) {
            QStringList cells;
            for (int row = 0; row < model->rowCount(); ++row)
                cells << model->index(row, c).data().toString();
            return cells;
        };
        QCOMPARE(column(ScheduleResultModel::Duty), L({"П1", "П1", "ДУ", "none"}));
        QCOMPARE(column(ScheduleResultModel::FanId), L({"1", "3", "2", ""}));
        QCOMPARE(column(ScheduleResultModel::DutyFirst + DutyColumns::N),
                 L({"5.845", "5.845", "2.545", ""}));
        view->horizontalHeader()->setSortIndicator(ScheduleResultModel::DutyFirst + DutyColumns::N,
                                                   Qt::AscendingOrder);
        QCOMPARE(column(ScheduleResultModel::FanId), L({"2", "1", "3", ""}));
        dialog->resize(2300, 240); // every column in sight
        QVERIFY(approved("schedule.png", dialog->grab().toImage()));
    }

    // The chosen rows' fans listed, plotted and compared; the hot duty's pressure at 20 °C is the
    // working point: 206.249801 · 673 / 293 = 473.741 Pa.
    void showOnPlot()
    {
        QTableView* view = dialog->table();
        view->horizontalHeader()->setSortIndicator(ScheduleResultModel::DutyFirst + DutyColumns::N,
                                                   Qt::AscendingOrder);
        QPushButton* show = button("ShowOnPlot");
        QVERIFY(show && !show->isEnabled());
        const QRect none = view->visualRect(view->model()->index(3, ScheduleResultModel::Fan));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, none.center()); // its whole row
        QCOMPARE(view->selectionModel()->selectedRows().size(), 1); // "none", last after the sort
        QVERIFY(!show->isEnabled());
        for (const int row : {2, 0}) // fans 3 and 2: the topmost row's duty is ДУ
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(show->isEnabled());
        QTest::mouseClick(show, Qt::LeftButton);
        QCOMPARE(tableIds(*window), QList<int>({2, 3}));
        const FanPlot* plot = window->findChild<FanPlot*>();
        QCOMPARE(window->findChild<ComparisonView*>()->table()->model()->columnCount(), 2);
        QCOMPARE(plot->workingPoint().x(), 17765.2879);
        QVERIFY(qAbs(plot->workingPoint().y() - 473.741011) < 1e-6);
    }

    // As shown: the hidden id left out, Stable as a word, numbers in the file's convention. Then
    // a row short of fields: a box naming the file and the line, and no dialog.
    void exported()
    {
        const QString file = dir.filePath("result.csv");
        dialog->table()->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        chooseFile(file);
        QTest::mouseClick(button("Export"), Qt::LeftButton);
        const QStringList lines = QString::fromUtf8(fileBytes(file)).split("\r\n");
        QVERIFY(lines.value(0).startsWith(QString("\uFEFFDuty,Rank,Fan,\"Diameter, dm\",\"Revs,")));
        QCOMPARE(lines.value(1),
                 QString("П1,1,ВР 80-75-10,10,600,10,20,17765,474,5.845,40,58.4,yes,"
                         "58.4,11690"));
        QCOMPARE(lines.value(4), QString("none,0,,,,,,,,,,,,,"));
        const QString bad = dir.filePath("bad.csv");
        QVERIFY(writeBytes(bad, "name,q,p\nA,1,2\nB,3\n"));
        BoxCloser boxes;
        QVERIFY(!window->openSchedule(bad));
        QCOMPARE(boxes.texts,
                 L{"The schedule cannot be used:\n" + bad + ":3: 2 fields where 3 are needed"});
    }
};

QTEST_MAIN(TestExports)
#include "tst_exports.moc"
