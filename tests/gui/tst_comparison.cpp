#include "CatalogueQueries.h"
#include "TestSupport.h"

#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>

// The comparison table, the data sheet page and printing, on the real window.
class TestComparison : public QObject
{
    Q_OBJECT
    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QTableView *table = nullptr, *cmp = nullptr;
    std::unique_ptr<OpenedUrls> opened;

    // Toggles the rows of these fan ids in the fan table's selection.
    void select(const QList<int>& ids)
    {
        for (int row = 0; row < table->model()->rowCount(); ++row)
            if (ids.contains(table->model()->index(row, 0).data().toInt()))
                table->selectionModel()->select(table->model()->index(row, 0),
                                                QItemSelectionModel::Toggle |
                                                    QItemSelectionModel::Rows);
    }
    QString file(const QString& name) { return "file://" + catalogue.folder() + name; }
    QTabWidget* tabs() { return window->findChild<QTabWidget*>(); }

private slots:
    // Data sheet fragments of ВР80-75 and a stylesheet beside the program.
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
        for (const QString entry :
             {"css/styles.css:p { color: #123456 }", "vr80_75/purpose.html:<p>Назначение ВР</p>",
              "vr80_75/cond.html:<p>Условия</p>"}) {
            QFile file(catalogue.folder() + "res/" + entry.section(':', 0, 0));
            QVERIFY(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly));
            file.write(entry.section(':', 1).toUtf8());
        }
    }

    // Every fan listed (ids 1..9); the fan table and the comparison table told apart by columns.
    void init()
    {
        opened = std::make_unique<OpenedUrls>(QStringList{"file", "http", "https", "mailto"});
        window = std::make_unique<MainWindow>(catalogue.folder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        leaveStartPage(*window, 0);
        auto* tree = window->findChild<QTreeWidget*>();
        tree->setCurrentItem(tree->topLevelItem(0));
        for (QTableView* view : window->findChildren<QTableView*>())
            (view->model()->columnCount() == CatalogueQueries::FanColumnCount ? table : cmp) = view;
    }
    void cleanup() { window.reset(), opened.reset(); }

    // Catalogue order: fans 1, 3, 4; fan 3 is 900 mm long, fan 2 has no dimensions; the id row is
    // hidden. A right click on the third column selects it; the menu removes that fan. Fans 1
    // and 2 (ВР80-75): no order page, then one; both with a description.
    void comparisonFollowsSelection()
    {
        select({1, 3, 4});
        const QAbstractItemModel* model = cmp->model();
        const auto at = [&](int row, int column) {
            return model->index(row, column).data().toString();
        };
        QCOMPARE((QStringList{QString::number(model->columnCount()), at(4, 0), at(6, 1), at(12, 2),
                              model->headerData(2, Qt::Horizontal).toString(),
                              model->headerData(4, Qt::Vertical).toString(),
                              QString::number(cmp->isRowHidden(12) * 10 + cmp->isRowHidden(11))}),
                 (QStringList{"3", "1250,5 - 4000,5", "900", "4", "3", "Q, m³/h", "10"}));
        select({2});
        QCOMPARE(at(6, 1), QStringLiteral("Ask manager"));
        tabs()->setCurrentIndex(2);
        {
            BoxCloser boxes;
            for (int i = 0; i < 4; ++i) // order and description of the first two columns
                QTest::mouseClick(cmp->indexWidget(model->index(10 + i % 2, i / 2)),
                                  Qt::LeftButton);
            QTest::keyClick(cmp->indexWidget(model->index(10, 0)), Qt::Key_Space); // nothing
            const QString pdf = file("pdf/vr80_75.pdf");
            QCOMPARE(opened->urls, (QStringList{pdf, "https://vortel.example/order/2", pdf}));
            QCOMPARE(boxes.texts, QStringList{"Order is not available."});
        }
        cmp->clearSelection(); // the clicks chose columns
        const QRect third = cmp->visualRect(model->index(0, 2));
        QMetaObject::invokeMethod(cmp, "customContextMenuRequested", Q_ARG(QPoint, third.center()));
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        menu->actions().first()->trigger();
        menu->hide();
        // Ids in selection order (the table lists 4, 3, 1, then 2 was added); fan 3 is gone.
        QCOMPARE(MainWindowProbe::comparedFanIds(*window), (QStringList{"4", "1", "2"}));
        // Two columns at once: fans 1 and 4 of the columns 1, 2, 4; one column left.
        cmp->selectColumn(0);
        cmp->selectionModel()->select(model->index(0, 2),
                                      QItemSelectionModel::Select | QItemSelectionModel::Columns);
        menu->actions().first()->trigger();
        QCOMPARE(MainWindowProbe::comparedFanIds(*window) << QString::number(model->columnCount()),
                 (QStringList{"2", "1"}));
        auto* tree = window->findChild<QTreeWidget*>();
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
        QCOMPARE(model->columnCount(), 0);
    }

    // Fans 1 and 3 (ВР80-75): their page, built once, linking its description; toggled in turn
    // while the page shows: ВКР too (advice), back to one model; then none, then ВКР alone.
    void techInfoPage()
    {
        tabs()->setCurrentIndex(3);
        auto* browser = window->findChild<QTextBrowser*>();
        QStringList texts{browser->toPlainText()}; // empty
        select({1, 3});
        QVERIFY(browser->toHtml().contains("color:#123456")); // the stylesheet beside the program
        QTest::keyClick(browser, Qt::Key_Tab); // its link, opened by keyboard, keeps the page
        QTest::keyClick(browser, Qt::Key_Return);
        QVERIFY(browser->source().isEmpty());
        QCOMPARE(opened->urls, QStringList{file("pdf/vr80_75.pdf")});
        QSignalSpy rebuilt(browser, &QTextBrowser::textChanged);
        const QList<QList<int>> steps = {{}, {5}, {5}, {1, 3}, {5}};
        for (int step = 0; step < steps.size(); ++step) {
            select(steps[step]);
            if (step != 1 && step != 2)
                tabs()->setCurrentIndex(0), tabs()->setCurrentIndex(3);
            texts << browser->toPlainText() + (step == 0 ? QString::number(rebuilt.count()) : "");
        }
        const QString page = "vr80_75\nНазначение ВР\nУсловия\nYou can see detailed information "
                             "in our catalog";
        QCOMPARE(texts, (QStringList{"", page + "0",
                                     "To see tech info on needed model, select fan(s) of the one "
                                     "model.",
                                     page, "",
                                     "Ask our managers about technical information on mark vkr: "
                                     "tel. +7 (495) 123-45-67"}));
    }

    // Fans 1 (ВР80-75) and 5 (ВКР, no sheet of its own): plot, table, then a sheet per model; on
    // paper too small for a sheet, more pages, none blank; Escape prints nothing.
    void printsOneDocument()
    {
        select({1, 5});
        const QString pdf = catalogue.folder() + "printed.pdf";
        QPageSize paper(QPageSize::A4);
        QTimer printDialogs;
        connect(&printDialogs, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
                dialog->printer()->setOutputFileName(pdf), dialog->printer()->setPageSize(paper),
                    dialog->done(QDialog::Accepted);
        });
        printDialogs.start(10);
        const QString sheets = "Назначение ВР Условия mark vkr";
        for (const QString& run :
             QStringList{"Plot && tech info:4:Q, m³/h Model ВКР ВР80-75 " + sheets,
                         "Tech info:2:" + sheets, "Tech info:-2:" + sheets, "Escape:0:"}) {
            const int pages = run.section(':', 1, 1).toInt();
            if (pages < 0) // counted as negative: at least that many
                paper = QPageSize(QSizeF(50, 30), QPageSize::Millimeter);
            QFile::remove(pdf);
            BoxCloser boxes;
            boxes.press = run.section(':', 0, 0);
            menuAction(*window, "&Print")->trigger();
            QCOMPARE(boxes.texts, QStringList{"What are we going to print?"});
            QProcess text;
            text.start("pdftotext", {"-layout", pdf, "-"});
            QVERIFY(text.waitForFinished(10000));
            const QString printed = QString::fromUtf8(text.readAllStandardOutput());
            const int sheetsPrinted = printed.count('\f');
            QVERIFY2(pages >= 0 ? sheetsPrinted == pages : sheetsPrinted > -pages, qPrintable(run));
            int from = 0; // in this order
            for (const QString& expected : run.section(':', 2).split(' ', Qt::SkipEmptyParts))
                QVERIFY2((from = printed.indexOf(expected, from)) >= 0, qPrintable(expected));
            QVERIFY(!printed.contains("catalog"));
        }
    }
};

QTEST_MAIN(TestComparison)
#include "tst_comparison.moc"
