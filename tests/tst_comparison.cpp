#include "CatalogueQueries.h"
#include "TestSupport.h"

#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

// The comparison table, the data sheet page and printing, on the real window.
class TestComparison : public QObject
{
    Q_OBJECT

public slots:
    void opened(const QUrl& url) { openedUrls.append(url.toString()); }

private slots:
    void initTestCase();
    void init();
    void cleanup() { window.reset(); }

    void comparisonFollowsSelection();
    void buttonsOpenOnlyWhatIsSafe();
    void techInfoPage();
    void printsOneDocument_data();
    void printsOneDocument();
    void manyFansAndAQuotedTranslation();

private:
    void select(const QList<int>& ids);
    QString cell(int row, int column) const;
    void writeFile(const QString& name, const QByteArray& text);

    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QTableView* table = nullptr;
    QTableView* cmp = nullptr;
    QTabWidget* tabs = nullptr;
    QTextBrowser* browser = nullptr;
    QStringList openedUrls;
};

void TestComparison::initTestCase()
{
    // Hostile catalogue texts: a model name with markup, names that lead out of their folders,
    // order addresses that are no web pages.
    QVERIFY(catalogue.build(TestCatalogue::smallContent() + QStringLiteral(R"(
UPDATE models SET model = 'ВКР<b>&amp;', pdf = '../../x#' WHERE id = 2;
UPDATE models SET techInfo = '../css' WHERE id = 3;
UPDATE fans SET url = 'file:///bin/sh' WHERE id = 5;
UPDATE fans SET url = 'javascript:alert(1)' WHERE id = 6;
)")));
    writeFile(QStringLiteral("res/vr80_75/purpose.html"), "<p>Назначение ВР</p>");
    writeFile(QStringLiteral("res/vr80_75/cond.html"), "<p>Условия</p>");
    writeFile(QStringLiteral("res/vr80_75/sizes.html"), "<p>Размеры</p>");
    writeFile(QStringLiteral("res/vr300_45/sizes.html"), "<p>Только размеры</p>");
    for (const char* scheme : {"file", "http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "opened");
}

void TestComparison::writeFile(const QString& name, const QByteArray& text)
{
    const QString path = catalogue.folder() + name;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void TestComparison::init()
{
    QLocale::setDefault(QLocale::c());
    openedUrls.clear();
    window = std::make_unique<MainWindow>(catalogue.folder());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    leaveStartPage(*window, 0);
    auto* tree = window->findChild<QTreeWidget*>();
    tree->setCurrentItem(tree->topLevelItem(0)); // every fan: ids 1..9
    table = window->findChildren<QTableView*>().value(0);
    cmp = window->findChildren<QTableView*>().value(1);
    if (table->model()->columnCount() != CatalogueQueries::FanColumnCount)
        std::swap(table, cmp);
    tabs = window->findChild<QTabWidget*>();
    browser = window->findChild<QTextBrowser*>();
}

void TestComparison::select(const QList<int>& ids)
{
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        if (ids.contains(table->model()->index(row, 0).data().toInt()))
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Toggle |
                                                QItemSelectionModel::Rows);
    }
}

QString TestComparison::cell(int row, int column) const
{
    return cmp->model()->index(row, column).data().toString();
}

void TestComparison::comparisonFollowsSelection()
{
    QCOMPARE(cmp->model()->columnCount(), 0);
    select({1, 3, 4});
    QCOMPARE(cmp->model()->columnCount(), 3);
    QCOMPARE(cmp->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("3"));
    QCOMPARE(cmp->model()->headerData(4, Qt::Vertical).toString(), QStringLiteral("Q, m³/h"));
    QVERIFY(cmp->isRowHidden(12) && !cmp->isRowHidden(11));
    // Catalogue order: fans 1, 3, 4; fan 3 is 900 mm long.
    QCOMPARE(cell(4, 0), QStringLiteral("1250,5 - 4000,5"));
    QCOMPARE(cell(6, 1), QStringLiteral("900"));
    QCOMPARE(cell(12, 2), QStringLiteral("4"));
    select({2});
    QCOMPARE(cell(6, 1), QStringLiteral("Ask manager")); // fan 2 has no dimensions

    // A right click on the third column selects it; the menu removes that fan.
    tabs->setCurrentIndex(2);
    const QRect third = cmp->visualRect(cmp->model()->index(0, 2));
    QMetaObject::invokeMethod(cmp, "customContextMenuRequested", Q_ARG(QPoint, third.center()));
    QCOMPARE(cmp->selectionModel()->selectedColumns().size(), 1);
    QMenu* menu = nullptr;
    for (QMenu* candidate : window->findChildren<QMenu*>()) {
        if (candidate->actions().value(0)->text() == QStringLiteral("Remove from comparison"))
            menu = candidate;
    }
    QTRY_VERIFY(menu && menu->isVisible());
    menu->actions().first()->trigger();
    menu->hide();
    // Ids in selection order (the table lists 4, 3, 1, then 2 was added); fan 3 is gone.
    QCOMPARE(MainWindowProbe::comparedFanIds(*window), (QStringList{"4", "1", "2"}));
    // Two columns at once: fans 1 and 4 of the columns 1, 2, 4.
    cmp->selectColumn(0);
    cmp->selectionModel()->select(cmp->model()->index(0, 2),
                                  QItemSelectionModel::Select | QItemSelectionModel::Columns);
    menu->actions().first()->trigger();
    QCOMPARE(MainWindowProbe::comparedFanIds(*window), QStringList{"2"});
    QCOMPARE(cmp->model()->columnCount(), 1);

    auto* tree = window->findChild<QTreeWidget*>();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    QCOMPARE(cmp->model()->columnCount(), 0);
}

void TestComparison::buttonsOpenOnlyWhatIsSafe()
{
    select({1, 2, 5, 6}); // catalogue order 1, 2, 5, 6
    BoxCloser boxes;
    for (int column = 0; column < 4; ++column) {
        for (const int row : {10, 11})
            QTest::mouseClick(cmp->indexWidget(cmp->model()->index(row, column)), Qt::LeftButton);
    }
    // Fans 1 and 2 (ВР80-75): no order page, then an order page, both with a description;
    // fans 5 and 6 (ВКР): a local file and a script as order pages, a PDF name leading out.
    const QString description = "file://" + catalogue.folder() + "pdf/vr80_75.pdf";
    QCOMPARE(openedUrls, (QStringList{description, "https://vortel.example/order/2", description}));
    QCOMPARE(boxes.texts, (QStringList{"Order is not available.", "Order is not available.",
                                       "Description not found.", "Order is not available.",
                                       "Description not found."}));
    // Keyboard activation does nothing.
    QWidget* button = cmp->indexWidget(cmp->model()->index(10, 0));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(boxes.texts.size(), 5);
}

void TestComparison::techInfoPage()
{
    tabs->setCurrentIndex(3);
    QVERIFY(browser->toPlainText().isEmpty());
    QSignalSpy rebuilt(browser, &QTextBrowser::textChanged);
    select({1, 3}); // both ВР80-75: its page, with a link to its description
    QCOMPARE(browser->toPlainText(),
             QStringLiteral("vr80_75\nНазначение ВР\nУсловия\nРазмеры\nYou can see detailed "
                            "information in our catalog"));
    QVERIFY(browser->toHtml().contains("href=\"file://" + catalogue.folder() + "pdf/vr80_75.pdf"));
    select({5}); // ВКР too: advice
    QCOMPARE(browser->toPlainText(),
             QStringLiteral("To see tech info on needed model, select fan(s) of the one model."));
    select({5}); // back to one model
    QVERIFY(browser->toPlainText().startsWith(QStringLiteral("vr80_75\n")));
    const int builds = rebuilt.count();
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(3);
    QCOMPARE(rebuilt.count(), builds);

    select({1, 3, 9}); // ВР300-45 has only its sizes
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(3);
    QCOMPARE(browser->toPlainText(),
             QStringLiteral("vr300_45\nТолько размеры\nYou can see detailed information in our "
                            "catalog"));
    select({9, 5}); // ВКР: no folder of its own; the markup in its name stays text
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(3);
    QCOMPARE(browser->toPlainText(),
             QStringLiteral("Ask our managers about technical information on mark vkr: tel. "
                            "+7 (495) 123-45-67"));
    select({5, 7}); // ВКОП(Ф), whose name "../css" would lead out of "res/"
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(3);
    QVERIFY(browser->toPlainText().startsWith("Ask our managers about technical information on "
                                              "mark ../css:"));

    // Links: web and files inside the program folder only.
    for (const char* link : {"https://vortel.example", "pdf/x.pdf", "../../etc/passwd",
                             "file:///bin/sh", "javascript:alert(1)"})
        emit browser->anchorClicked(QUrl(QString::fromLatin1(link)));
    QCOMPARE(openedUrls,
             (QStringList{"https://vortel.example", "file://" + catalogue.folder() + "pdf/x.pdf"}));
}

void TestComparison::printsOneDocument_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("texts");
    // Fans 1 (ВР80-75) and 5 (ВКР, no sheet of its own): plot, table, then a sheet per model.
    QTest::newRow("plot and tech info")
        << "Plot && tech info" << 4
        << QStringList{"Q, m³/h", "Model", "ВКР<b>", "ВР80-75", "Назначение ВР", "mark vkr"};
    QTest::newRow("tech info") << "Tech info" << 2 << QStringList{"Условия", "mark vkr"};
    QTest::newRow("escape") << "Escape" << 0 << QStringList();
}

void TestComparison::printsOneDocument()
{
    QFETCH(QString, choice);
    QFETCH(int, pages);
    QFETCH(QStringList, texts);
    select({1, 5});
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    int dialogs = 0;
    QTimer printDialogs;
    connect(&printDialogs, &QTimer::timeout, this, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            ++dialogs;
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(pdf);
            dialog->done(QDialog::Accepted);
        }
    });
    printDialogs.start(10);
    BoxCloser boxes;
    boxes.press = choice;
    menuAction(*window, QStringLiteral("&Print"))->trigger();
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("What are we going to print?")});
    QCOMPARE(dialogs, pages > 0 ? 1 : 0);
    if (pages == 0)
        return;
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(10000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QCOMPARE(printed.count(QLatin1Char('\f')), pages);
    int at = 0;
    for (const QString& expected : texts) {
        const int found = printed.indexOf(expected, at);
        QVERIFY2(found >= at, qPrintable(expected));
        at = found;
    }
    QVERIFY(!printed.contains(QStringLiteral("catalog")));
}

class QuotingTranslator : public QTranslator
{
public:
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QLatin1String(source) == QLatin1String("Ask manager") ? QStringLiteral("Спроси'те")
                                                                     : QString();
    }
};

void TestComparison::manyFansAndAQuotedTranslation()
{
    window.reset();
    TestCatalogue large;
    QVERIFY(large.build(TestCatalogue::pagedContent(300)));
    QuotingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    window = std::make_unique<MainWindow>(large.folder());
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(window->isValid());
    auto* tree = window->findChild<QTreeWidget*>();
    tree->setCurrentItem(tree->topLevelItem(0));
    table = window->findChildren<QTableView*>().value(0);
    cmp = window->findChildren<QTableView*>().value(1);
    if (table->model()->columnCount() != CatalogueQueries::FanColumnCount)
        std::swap(table, cmp);
    table->selectAll();
    QCOMPARE(cmp->model()->columnCount(), 309);
    QCOMPARE(cmp->model()->index(6, 308).data().toString(), QStringLiteral("Спроси'те"));
}

QTEST_MAIN(TestComparison)
#include "tst_comparison.moc"
