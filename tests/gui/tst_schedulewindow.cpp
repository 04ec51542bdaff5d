#include "ComparisonView.h"
#include "FanPlot.h"
#include "ScheduleDialog.h"
#include "ScheduleResultModel.h"
#include "TestSupport.h"

using L = QStringList;

// The schedule selection in the window: opened through the File menu, shown ranked and sortable,
// exported, its fans sent to the plot and the comparison; a bad file refused with a box.
class TestScheduleWindow : public QObject
{
    Q_OBJECT
    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    ScheduleDialog* dialog = nullptr;
    QTemporaryDir dir;

    // Accepts the file dialog the next action opens with `file` chosen.
    void chooseFile(const QString& file)
    {
        QTimer::singleShot(0, this, [file] {
            auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            box->selectFile(file);
            QMetaObject::invokeMethod(box, "accept");
        });
    }

    QPushButton* button(const char* name) { return dialog->findChild<QPushButton*>(name); }

private slots:
    // The catalogue and schedule of the command line's test, worked there: duty П1 is met by
    // fans 1 and 3 (N 0.06π⁴ = 5.845 kW), ДУ at 400 °C by fan 2 with a cold start at 194.8 % of
    // its motor, "none" by no fan.
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(catalogue.build(QString::fromUtf8(
            fileBytes(VORTEL_SOURCE_DIR "/tests/support/schedule_catalogue.sql"))));
        window = std::make_unique<MainWindow>(catalogue.folder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        chooseFile(VORTEL_SOURCE_DIR "/tests/support/schedule.csv");
        menuAction(*window, "Select for a sc&hedule...")->trigger();
        dialog = window->findChild<ScheduleDialog*>();
        QVERIFY(dialog && dialog->isVisible());
    }

    // In the schedule's order, then by power at the duty after a header click, rows without a
    // number last; the cold start over the motor's power in red.
    void rankedAndSorted()
    {
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
        // The duty columns' titles above, row numbers beside.
        QCOMPARE(
            model->headerData(ScheduleResultModel::DutyFirst, Qt::Horizontal).toString() +
                model->headerData(ScheduleResultModel::DutyFirst + DutyColumns::N, Qt::Horizontal)
                    .toString(),
            QString("Q at duty, m³/hN at duty, kW"));
        QCOMPARE(model->headerData(1, Qt::Vertical).toString(), QString("2"));
        QCOMPARE(QVariantList({model->headerData(0, Qt::Horizontal, Qt::ToolTipRole),
                               model->headerData(-1, Qt::Horizontal)}),
                 QVariantList({QVariant(), 0})); // no title
        QCOMPARE(column(ScheduleResultModel::Duty), L({"П1", "П1", "ДУ", "none"}));
        QCOMPARE(view->horizontalHeader()->sortIndicatorSection(), -1); // no column sorted yet
        QCOMPARE(column(ScheduleResultModel::FanId), L({"1", "3", "2", ""}));
        QVERIFY(view->isColumnHidden(ScheduleResultModel::FanId));
        QCOMPARE(column(ScheduleResultModel::DutyFirst + DutyColumns::N),
                 L({"5.845", "5.845", "2.545", ""}));
        const QModelIndex cold = model->index(2, ScheduleResultModel::ColdStartLoad);
        QCOMPARE(cold.data().toDouble(), 194.8);
        QCOMPARE(cold.data(Qt::ForegroundRole), QVariant(QColor(Qt::red)));
        QVERIFY(!model->index(2, ScheduleResultModel::DutyFirst + DutyColumns::MotorLoad)
                     .data(Qt::ForegroundRole)
                     .isValid());
        view->horizontalHeader()->setSortIndicator(ScheduleResultModel::DutyFirst + DutyColumns::N,
                                                   Qt::AscendingOrder);
        QCOMPARE(column(ScheduleResultModel::FanId), L({"2", "1", "3", ""}));
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
        QCOMPARE(plot->fans().size(), 2);
        QCOMPARE(window->findChild<ComparisonView*>()->table()->model()->columnCount(), 2);
        QCOMPARE(plot->workingPoint().x(), 17765.2879);
        QVERIFY(qAbs(plot->workingPoint().y() - 473.741011) < 1e-6);
    }

    // As shown: the hidden id left out, Stable as a word, numbers in the file's convention.
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
    }

    // A row short of fields: a box naming the file and the line, and no dialog.
    void refused()
    {
        const QString file = dir.filePath("bad.csv");
        QVERIFY(writeBytes(file, "name,q,p\nA,1,2\nB,3\n"));
        BoxCloser boxes;
        QVERIFY(!window->openSchedule(file));
        QCOMPARE(boxes.texts,
                 L{"The schedule cannot be used:\n" + file + ":3: 2 fields where 3 are needed"});
    }
};

QTEST_MAIN(TestScheduleWindow)
#include "tst_schedulewindow.moc"
