#include "CatalogueQueries.h"
#include "ClickableLabel.h"
#include "ComparisonView.h"
#include "FanPlot.h"
#include "MatchingWidget.h"
#include "OptionsDialog.h"
#include "StartPage.h"
#include "TestSupport.h"

#include <QtPrintSupport>

// The window as a user meets it: start page, menus, matching, what it remembers, the comparison
// table, the data sheet page and printing.
class TestMainWindow : public QObject
{
    Q_OBJECT
    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QTableView *table = nullptr, *cmp = nullptr;
    std::unique_ptr<OpenedUrls> opened;

    void open()
    {
        window.reset(); // one catalogue connection at a time
        window = std::make_unique<MainWindow>(catalogue.folder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    // Every fan listed (ids 1..9); the fan table and the comparison table told apart by columns.
    void openOnEveryFan()
    {
        opened = std::make_unique<OpenedUrls>(QStringList{"file", "http", "https", "mailto"});
        open();
        leaveStartPage(*window, 0);
        auto* tree = window->findChild<QTreeWidget*>();
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0)->child(0)); // the first picture's type
        tree->setCurrentItem(tree->topLevelItem(0));
        for (QTableView* view : window->findChildren<QTableView*>())
            (view->model()->columnCount() == CatalogueQueries::FanColumnCount ? table : cmp) = view;
        for (QTableView* view : {table, cmp}) // each model checked through every change
            new QAbstractItemModelTester(view->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest,
                                         view->model());
    }
    // Toggles the rows of these fan ids in the fan table's selection.
    void select(const QList<int>& ids)
    {
        for (int row = 0; row < table->model()->rowCount(); ++row)
            if (ids.contains(table->model()->index(row, 0).data().toInt()))
                table->selectionModel()->select(table->model()->index(row, 0),
                                                QItemSelectionModel::Toggle |
                                                    QItemSelectionModel::Rows);
    }
    QString at(int row, int column) { return cmp->model()->index(row, column).data().toString(); }
    // A column's rows from `first` on as the view shows them, "!" after a red one; by default
    // the duty's, after the hidden id row and the four rows that tell fans apart.
    QString dutyRows(int column, int first = 17, int end = -1)
    {
        QString text;
        for (int row = first; row < (end < 0 ? cmp->model()->rowCount() : end); ++row) {
            const QModelIndex index = cmp->model()->index(row, column);
            auto* delegate = qobject_cast<QStyledItemDelegate*>(cmp->itemDelegate(index));
            text += delegate->displayText(index.data(), QLocale()) +
                    (index.data(Qt::ForegroundRole) == QBrush(Qt::red) ? "! " : " ");
        }
        return text;
    }
    QString ini() const { return catalogue.folder() + QStringLiteral("vortel.ini"); }
    QTabWidget* tabs() { return window->findChild<QTabWidget*>(); }
    // The tree and parameters splitter's sizes, then the tabs and table one's.
    QList<int> splitterSizes() const
    {
        const auto splitters = window->findChildren<QSplitter*>();
        return splitters.at(1)->sizes() + splitters.at(0)->sizes();
    }

private slots:
    // Data sheet fragments of ВР80-75 and a stylesheet beside the program.
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
        for (const QString entry :
             {"css/styles.css:p { color: #123456 }", "vr80_75/purpose.html:<p>Назначение ВР</p>",
              "vr80_75/cond.html:<p>Условия</p>", "vr80_75/sizes.html:<img src='res/s.xpm'>",
              "s.xpm:/* XPM */ static const char* s[] = {\"4 4 1 1\", \"a c #0000ff\", \"aaaa\", "
              "\"aaaa\", \"aaaa\", \"aaaa\"};"})
            QVERIFY(writeBytes(catalogue.folder() + "res/" + entry.section(':', 0, 0),
                               entry.section(':', 1).toUtf8()));
    }

    void cleanup() { window.reset(), opened.reset(); }

    void firstRunStartPageMenusAndMatching()
    {
        open();
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        leaveStartPage(*window, 1);
        QTRY_VERIFY(window->findChildren<ClickableLabel*>().isEmpty());
        QTreeWidgetItem* item = window->findChild<QTreeWidget*>()->currentItem();
        QVERIFY(item->isSelected() && item->isExpanded() && item->child(0)->isExpanded());
        QCOMPARE(tableIds(*window), (QList<int>{5, 6})); // ВКР's

        QString shortcuts; // then what the entries do
        for (const char* entry : {"&Search", "&Options", "&Print", "&Help"})
            shortcuts += QKeySequence::listToString(menuAction(*window, entry)->shortcuts()) + ' ';
        QCOMPARE(shortcuts, "F3; Ctrl+F Ctrl+O Ctrl+P F1 ");
        menuAction(*window, "&Help")->trigger();
        QCOMPARE(tabs()->currentIndex(), 4);
        const auto* help = tabs()->currentWidget()->findChild<QPlainTextEdit*>();
        QVERIFY(help && help->isVisible() && help->isReadOnly() && !help->toPlainText().isEmpty());
        menuAction(*window, "&Options")->trigger();
        auto* options = window->findChild<OptionsDialog*>();
        QVERIFY(options->isVisible());
        QTest::mouseClick(options->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close),
                          Qt::LeftButton);
        QVERIFY(!options->isVisible());

        BoxCloser boxes;
        menuAction(*window, "&About...")->trigger();
        QVERIFY(boxes.texts.value(0).startsWith(QStringLiteral("Vortel 1.3.7\n\n")));
    }

    // A 1024×600 screen less a task bar holds the window on its start page and its working page.
    // Given room, its pictures stand under bold 20 pt headings; narrower, smaller headings, none
    // cut.
    void fitsSmallScreen()
    {
        open();
        window->showNormal(), window->resize(3000, 1000);
        QLabel* heading = nullptr;
        for (QLabel* label : window->findChildren<QLabel*>())
            heading = label->text() == "Вентиляторы осевые" ? label : heading;
        QTRY_COMPARE(heading->font().pointSize(), 20);
        auto* page = window->findChild<StartPage*>(); // at its least width they shrink to 9 pt
        QVERIFY(approved("start_page.txt", layoutOf(*page)));
        page->resize(page->minimumWidth(), page->height());
        QCOMPARE(heading->font().pointSize(), 9);
        for (const QLabel* label : page->findChildren<QLabel*>()) // none cut
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
        window->showMaximized();
        QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
        leaveStartPage(*window, 2);
        QTRY_VERIFY(window->findChildren<ClickableLabel*>().isEmpty());
        least = least.expandedTo(window->minimumSizeHint()).expandedTo(window->minimumSize());
        QVERIFY2(least.width() <= 1024 && least.height() <= 560,
                 qPrintable(QString("%1×%2").arg(least.width()).arg(least.height())));
    }

    // Closed on the start page, the window keeps the stored table layout; what the user leaves on
    // the working page comes back on the next run.
    void windowStateKeptAcrossRuns()
    {
        const QByteArray stored = QByteArray::fromHex("000000ff00000001");
        const QString key = "MainWindow/TabsTableVerSplitterState";
        {
            QSettings settings(ini(), QSettings::IniFormat);
            settings.setValue("MainWindow/WindowState", int(Qt::WindowMinimized));
            settings.setValue(key, stored);
        }
        open();
        QCOMPARE(window->geometry(), QRect(200, 200, 800, 600)); // not minimized, nowhere saved
        window->close();
        QCOMPARE(QSettings(ini(), QSettings::IniFormat).value(key).toByteArray(), stored);
        QCOMPARE(QSettings(ini(), QSettings::IniFormat).childGroups(), // the analysis unused
                 QStringList({"MainWindow", "OptionsWindow"}));
        open();
        leaveStartPage(*window, 3);
        QTRY_VERIFY(splitterSizes().at(0) > 0);
        QList<int> sizes = splitterSizes(); // 35 % to the tree at first
        QVERIFY(qAbs(double(sizes.at(0)) / (sizes.at(0) + sizes.at(1)) - 0.35) < 0.01);

        window->setGeometry(5, 70, 790, 500); // room for a tree under its first 35 %
        window->findChildren<QSplitter*>().at(0)->setSizes({300, 100});
        window->findChildren<QSplitter*>().at(1)->setSizes({100, 500});
        sizes = splitterSizes();
        tabs()->setCurrentIndex(1), tabs()->setCurrentIndex(0); // away and back keeps them
        auto* matching = window->findChild<MatchingWidget*>();
        window->findChild<FanPlot*>()->setWorkingPoint(4200, 420);
        matching->findChildren<QSpinBox*>().at(0)->setValue(7);
        matching->findChildren<QSpinBox*>().at(1)->setValue(9);
        {
            BoxCloser advice;
            advice.tickCheckBox = true; // "Don't show again"
            menuAction(*window, "&Match by working point")->trigger();
        }
        const QRect geometry = window->geometry();
        window->close();

        open();
        QCOMPARE(window->geometry(), geometry); // not maximized
        matching = window->findChild<MatchingWidget*>();
        QCOMPARE(QPointF(matching->qMatchValue(), matching->pMatchValue()), QPointF(4200, 420));
        QCOMPARE(QPoint(matching->pDeviationValue(), matching->qDeviationValue()), QPoint(7, 9));
        leaveStartPage(*window, 0);
        QTRY_COMPARE(splitterSizes(), sizes);
        BoxCloser boxes;
        matching->btMatch()->click();
        QVERIFY(boxes.texts.isEmpty());
    }

    // The comparison table. Catalogue order: fans 1, 3, 4; fan 3 is 900 mm long, fan 2 has no
    // dimensions; the id row is hidden. A right click on the third column selects it; the menu
    // removes that fan. Fans 1 and 2 (ВР80-75): no order page, then one; both with a description.
    // Then the duty's rows (below).
    void comparison()
    {
        openOnEveryFan();
        select({1, 3, 4});
        const QAbstractItemModel* model = cmp->model();
        QCOMPARE((QStringList{QString::number(model->columnCount()), at(4, 0), at(6, 1), at(12, 2),
                              model->headerData(2, Qt::Horizontal).toString(),
                              QString::number(cmp->isRowHidden(12) * 10 + cmp->isRowHidden(11))}),
                 (QStringList{"3", "1250,5 - 4000,5", "900", "4", "3", "10"}));
        select({2});
        tabs()->setCurrentIndex(2);
        {
            BoxCloser boxes;
            for (int i = 0; i < 4; ++i) // order and description of the first two columns
                QTest::mouseClick(cmp->indexWidget(model->index(10 + i % 2, i / 2)),
                                  Qt::LeftButton);
            const QString pdf = "file://" + catalogue.folder() + "pdf/vr80_75.pdf";
            QCOMPARE(opened->urls, (QStringList{pdf, "https://vortel.example/order/2", pdf}));
            QCOMPARE(boxes.texts, QStringList{"Order is not available."});
            QVERIFY(!static_cast<QPushButton*>(cmp->indexWidget(model->index(11, 1)))->isDown());
        }
        cmp->clearSelection(); // the clicks chose columns
        const QRect third = cmp->visualRect(model->index(0, 2));
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, third.center());
        QApplication::sendEvent(cmp->viewport(), &rightClick);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        menu->actions().first()->trigger();
        menu->hide();
        // Ids in selection order (the table lists 4, 3, 1, then 2 was added); fan 3 is gone.
        QCOMPARE(MainWindowProbe::comparedFanIds(*window), (QStringList{"4", "1", "2"}));
        auto* tree = window->findChild<QTreeWidget*>();
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
        QCOMPARE(model->columnCount(), 0);

        // Fans 2 (400 °C, 5.5 kW), 4 (20 °C, 0.75 kW) and 5 through 3000 m³/h, 1500 Pa: ψ = static
        // + (φπ/4bc)², P = 0.6u²ψ, N = λ·0.6π·De²·u³/4000, η = φψ/λ; the system is ψ = kφ² with k =
        // 1500·(Q/φ)²/3000²/0.6u². Fan 2: De 0.315, u = 14.9625π, Q = 13187.65φ, 0.6u² = 1325.743,
        // ψ = 0.85 + 0.2φ + 4.853892φ² = 21.86374φ²: φ 0.2294983, Q 3027, ψ 1.151552, P 1527,
        // λ = 0.5φ² + 0.05φ + 0.1 = 0.1378096, N 0.669, η 191.8, 12.2 %; at 400 °C ×293/673: 0.291,
        // 5.3 %. Fan 4: De 0.42, u = 9.8π, Q = 15355.60φ, 0.6u² = 568.7261, ψ = 69.10022φ²: φ
        // 0.1165902, Q 1790, ψ 0.9392983, P 534, λ 0.1126261, N 0.273, η 97.2, 36.4 %. Both ψ rise
        // up to φ_max: left of the peak, not stable (red). Fan 5: De 0.5, u = 35π/3, Q = 25907.71φ,
        // 0.6u² = 806.0177, ψ = 0.7 + 0.1φ + 5.353892φ² = 138.7913φ² at φ 0.0728, short of φ_min
        // 0.1: blank. Through 6000 m³/h, 500 Pa fan 5 has ψ = 11.56594φ², φ 0.3438300, Q 8908,
        // ψ 1.367315, P 1102, λ 0.1444791, N 0.838, η 325.4, 111.7 % (red); fan 4's ψ = 5.758352φ²
        // at φ 1.086, past 0.35.
        openOnEveryFan();
        select({2, 4, 5});
        // No duty: only the rows that tell fans apart, nominal, material, scheme and speed. The
        // rows were selected from the table's top, 5, 4, 2: the headers of the columns (2, 4, 5)
        // in their curves' colours "green", "blue" and "red".
        QCOMPARE(cmp->model()->rowCount(), 17);
        QStringList headers;
        for (int column = 0; column < 3; ++column)
            headers << dutyRows(column, 13, 17) +
                           cmp->model()
                               ->headerData(column, Qt::Horizontal, Qt::ForegroundRole)
                               .value<QBrush>()
                               .color()
                               .name();
        QCOMPARE(headers, QStringList({"1 Ж Схема 1 2850 #008000", "1.05 О Схема 5 1400 #0000ff",
                                       "1 О Схема 1 1400 #ff0000"}));
        cmp->selectColumn(0); // fan 2, still chosen whole when the duty's rows come
        auto* plot = window->findChild<FanPlot*>();
        plot->setWorkingPoint(3000, 1500);
        QCOMPARE(cmp->verticalHeader()->count(), 25);
        QCOMPARE(cmp->model()->headerData(13, Qt::Vertical).toString() + ", " +
                     cmp->model()->headerData(24, Qt::Vertical).toString(),
                 "Nominal, Motor load at rated temperature, %"); // the first and last rows added
        QCOMPARE(QStringList({dutyRows(0), dutyRows(1), dutyRows(2)}),
                 QStringList({"3027 1527 0.669 191.8 12.2 no! 0.291 5.3 ",
                              "1790 534 0.273 97.2 36.4 no!   ", "        "}));
        plot->setWorkingPoint(6000, 500);
        window->cmpRemoveFromComparison(); // by its hidden id
        QCOMPARE(QStringList({dutyRows(0), dutyRows(1)}),
                 QStringList({"        ", "8908 1102 0.838 325.4 111.7! no!   "}));
    }

    // 262 fans of the demo catalogue side by side: more than the driver fetches at once. The wait
    // cursor shows from 300 fans changed and compared together.
    void comparesManyFans()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(VORTEL_PROGRAM_DIR "fans.dat", dir.filePath("fans.dat")));
        MainWindow demo(dir.path() + '/');
        demo.show();
        leaveStartPage(demo, 3);
        demo.findChild<QTreeWidget*>()->setCurrentItem(
            demo.findChild<QTreeWidget*>()->topLevelItem(0));
        auto* fans = demo.findChildren<QTableView*>().first(); // not the comparison
        const auto* cmp = demo.findChild<ComparisonView*>()->findChild<QTableView*>();
        QString cursors;
        bool waited = false;
        connect(cmp->model(), &QAbstractItemModel::modelReset, this,
                [&waited] { waited = waited || QApplication::overrideCursor(); });
        for (const QPoint rows : {QPoint(0, 261), QPoint(262, 298), QPoint(299, 299)}) {
            waited = false;
            fans->selectionModel()->select(QItemSelection(fans->model()->index(rows.x(), 0),
                                                          fans->model()->index(rows.y(), 0)),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            cursors += waited ? "wait " : "- ";
        }
        QCOMPARE(cursors, "- - wait ");
        QCOMPARE(cmp->model()->columnCount(), 300);
    }

    // Without a viewer or browser each link says what it could not open: the change log, the
    // order page and the description of fan 2 (ВР80-75), and the link on its data sheet page.
    void failedLinksSayWhat()
    {
        openOnEveryFan();
        opened.reset();
        opened = std::make_unique<OpenedUrls>(QStringList{"file", "https"}, true);
        for (int i = 0; i < 4; ++i)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("noSuchSlot"));
        BoxCloser boxes;
        menuAction(*window, "&Change log")->trigger();
        select({2});
        tabs()->setCurrentIndex(2);
        for (const int row : {10, 11})
            QTest::mouseClick(cmp->indexWidget(cmp->model()->index(row, 0)), Qt::LeftButton);
        tabs()->setCurrentIndex(3); // its page, styled by the sheet beside the program
        auto* browser = window->findChild<QTextBrowser*>();
        QVERIFY(browser->toPlainText().startsWith("vr80_75\nНазначение ВР") &&
                browser->toHtml().contains("color:#123456"));
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        const QString pdf = "Could not open " + catalogue.folder() + "pdf/vr80_75.pdf.";
        QCOMPARE(boxes.texts,
                 (QStringList{"Could not open " + catalogue.folder() + "changelog.txt.",
                              "Could not open https://vortel.example/order/2.", pdf, pdf}));
        QVERIFY(browser->toPlainText().startsWith("vr80_75")); // the sheet stays
        select({1, 5}); // fans of two models: which sheet is meant?
        QVERIFY(browser->toPlainText().startsWith("To see tech info on needed model"));
        select({1, 2, 5}); // then none: no sheet
        QVERIFY(browser->toPlainText().isEmpty());
    }

    // Fans 1 (ВР80-75) and 5 (ВКР, no sheet of its own): plot, table, then a sheet per model; on
    // paper too small for a sheet, more pages, none blank; Escape prints nothing.
    void printsOneDocument()
    {
        openOnEveryFan();
        select({1, 5});
        const QString pdf = catalogue.folder() + "printed.pdf";
        QPageSize paper(QPageSize::A4);
        QTimer printDialogs;
        connect(&printDialogs, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
                dialog->printer()->setOutputFileName(pdf), dialog->printer()->setPageSize(paper),
                    dialog->printer()->setResolution(300), dialog->done(QDialog::Accepted);
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
            QProcess text;
            text.start("pdftotext", {"-layout", pdf, "-"});
            QVERIFY(text.waitForFinished(10000));
            const QString printed = QString::fromUtf8(text.readAllStandardOutput());
            QVERIFY2(pages >= 0 ? printed.count('\f') == pages : printed.count('\f') > -pages,
                     qPrintable(run));
            int from = 0; // in this order
            for (const QString& expected : run.section(':', 2).split(' ', Qt::SkipEmptyParts))
                QVERIFY2((from = printed.indexOf(expected, from)) >= 0, qPrintable(expected));
            QVERIFY(!printed.contains("catalog"));
            // Each page opens with the program, the date and, once set, the duty.
            const QRegularExpression header(
                "Vortel 1\\.3\\.7 +" + QDate::currentDate().toString("d MMM yyyy") +
                (pages == 2 ? " +Duty: Q = 3000 m³/h, Pv = 1500 Pa\n" : "\n"));
            QVERIFY2(pages <= 0 || printed.count(header) == pages, qPrintable(printed));
            QProcess images; // the data sheet's 4 × 4 picture, found beside the program
            images.start("pdfimages", {"-list", pdf});
            QVERIFY(images.waitForFinished(10000));
            QCOMPARE(QString(images.readAllStandardOutput())
                         .contains(QRegularExpression("image +4 +4 ")),
                     pages != 0);
            window->findChild<FanPlot*>()->setWorkingPoint(3000, 1500);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
