#include "ComparisonView.h"
#include "DataSheet.h"
#include "LinkPolicy.h"
#include "MainWindow.h"
#include "PrintedTable.h"
#include "ScreenPlacement.h"

#include <QStandardItemModel>
#include <QtTest>

using R = QRect;
using Rects = QList<QRect>;
Q_DECLARE_METATYPE(Rects)

// The window's rules that need no window: links, data sheets, the printed table, screen places.
class TestWindowRules : public QObject
{
    Q_OBJECT

private slots:
    void links_data()
    {
        QTest::addColumn<QString>("rule");     // order page, description name, link in a data sheet
        QTest::addColumn<QString>("inputs");   // split at blanks; the folder is /opt/v/
        QTest::addColumn<QString>("expected"); // for each input, %1 standing for it
        // clang-format off
        QTest::newRow("order, web") << "order" << "https://vortel.example/o/2 HTTP://a.example" << "%1";
        QTest::newRow("order, refused") << "order" << "file:///bin/sh javascript:alert(1) http://[x " << "";
        QTest::newRow("pdf") << "pdf" << "vr80_75 a.b" << "file:///opt/v/pdf/%1.pdf";
        QTest::newRow("pdf, refused") << "pdf" << " ../x .. a/b a\\b c:x x# x?" << "";
        QTest::newRow("open, web, mail") << "open" << "https://vortel.example mailto:a@b.example" << "%1";
        QTest::newRow("open, relative") << "open" << "pdf/x.pdf" << "file:///opt/v/%1";
        QTest::newRow("open, file") << "open" << "file:///opt/v/pdf/../y.pdf" << "file:///opt/v/y.pdf";
        QTest::newRow("open, refused") << "open" << "../../etc/passwd file:///opt/vx/y file:/// "
                                                    "javascript:alert(1) ftp://a.example/x" << "";
        // clang-format on
    }

    void links()
    {
        QFETCH(QString, rule);
        QFETCH(QString, inputs);
        QFETCH(QString, expected);
        for (const QString& input : inputs.split(' '))
            QCOMPARE(rule == "order" ? LinkPolicy::orderUrl(input)
                     : rule == "pdf" ? LinkPolicy::pdfLink("/opt/v/", input)
                                     : LinkPolicy::openableLink("/opt/v/", input).toString(),
                     expected.contains('%') ? expected.arg(input) : expected);
    }

    // The texts the window writes out. A data sheet: purpose, conditions, sizes, then the
    // description link, escaped; a name that leads out of the fragments' folder reads nothing and
    // gets the managers' phone instead.
    void texts()
    {
        const QString link = DataSheet::pdfParagraph("file:///p/a&b.pdf");
        QCOMPARE(DataSheet::page(
                     "a<b>", [](const QString& name) { return '[' + name + ']'; }, link),
                 "<link href='res/css/styles.css' type='text/css' rel='stylesheet' /><h1>a&lt;b&gt;"
                 "</h1>[res/a<b>/purpose.html][res/a<b>/cond.html][res/a<b>/sizes.html]<p>You can "
                 "see detailed information in our <a href=\"file:///p/a&amp;b.pdf\">catalog</a>");
        QCOMPARE(
            DataSheet::page("../a<b>", nullptr, ""),
            "Ask our managers about technical information on mark ../a&lt;b&gt;: tel. +7 (495) "
            "123-45-67");

        // Chosen columns and rows in the order given, texts on one line and escaped, empty cells
        // kept; then a translated stand-in with a quote stays one SQL string.
        QStandardItemModel model(3, 3);
        model.setHorizontalHeaderLabels({"Model", " Q,\n  m³/h ", "Material"});
        const QStringList cells{"ВР  80-75", "1", "О", "x", "2", "y", " ВКР\t<b>", "3", " "};
        for (int i = 0; i < cells.size(); ++i)
            model.setData(model.index(i / 3, i % 3), cells.at(i));
        QCOMPARE(PrintedTable::html(model, {2, 1, 0}, {2, 0}),
                 "<html>\n<head>\n<meta Content=\"Text/html\">\n</head>\n<body bgcolor=#FFFFFF>\n"
                 "<table border=1 cellspacing=0 cellpadding=2>\n<thead><tr bgcolor=#F0F0F0><th>"
                 "Material</th><th>Q, m³/h</th><th>Model</th></tr></thead>\n<tr><td>&nbsp;</td><td>"
                 "3</td><td>ВКР &lt;b&gt;</td></tr>\n<tr><td>О</td><td>1</td><td>ВР 80-75</td></tr>"
                 "\n</table>\n</body>\n</html>\n");

        struct Quoting : QTranslator
        {
            QString translate(const char*, const char* s, const char*, int) const override
            {
                return QByteArray(s) == "Ask manager" ? "Спроси'те" : QString();
            }
        } translator;
        QCoreApplication::installTranslator(&translator);
        const ComparisonView view("/");
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(view.queryText({"1", "2"}).contains("'Спроси''те'"));

        // A file read whole as UTF-8, up to a zero byte.
        QTemporaryFile file;
        QVERIFY(file.open() && file.write(QByteArrayLiteral("Вентилятор\r\nfirst\0second")) &&
                file.flush());
        QCOMPARE(MainWindow::readWholeFile(file.fileName()), "Вентилятор\r\nfirst");
    }

    void placement_data()
    {
        QTest::addColumn<bool>("dialog"); // else the main window
        QTest::addColumn<Rects>("screens");
        QTest::addColumn<QRect>("saved");    // a dialog's position is its top left corner
        QTest::addColumn<QRect>("expected"); // the window falls back to 200, 200, 800 × 600
        const R one(0, 0, 1920, 1040), small(10, 20, 600, 400), back(200, 200, 800, 600);
        // The second of two screens bounds what lies on it; over both, the first one does.
        const Rects two{one, R(1920, 0, 1280, 200)}, none;
        // clang-format off
        QTest::newRow("just right of it") << false << Rects{one} << R(1920, 0, 90, 90) << back;
        QTest::newRow("no rectangle") << false << Rects{one} << R() << back;
        QTest::newRow("no screen") << false << none << small << back;
        QTest::newRow("larger") << false << Rects{one} << R(-5, 5, 3000, 2000) << R(-5, 5, 1920, 1040);
        QTest::newRow("on the second") << false << two << R(2000, 0, 1500, 300) << R(2000, 0, 1280, 200);
        QTest::newRow("over both") << false << two << R(1900, 0, 400, 300) << R(1900, 0, 400, 300);
        // A dialog: where it was, else at the preferred 250, 250, else 50, 50 into the first screen.
        QTest::newRow("dialog on the second") << true << two << R(3199, 199, 1, 1) << R(3199, 199, 1, 1);
        QTest::newRow("dialog, no screen") << true << none << R(10, 10, 1, 1) << R(250, 250, 1, 1);
        // clang-format on
    }

    void placement()
    {
        QFETCH(bool, dialog);
        QFETCH(Rects, screens);
        QFETCH(QRect, saved);
        namespace S = ScreenPlacement;
        QTEST(dialog ? QRect(S::dialogPosition(screens, saved.topLeft(), {250, 250}, {50, 50}),
                             QSize(1, 1))
                     : S::windowGeometry(screens, saved, {200, 200, 800, 600}),
              "expected");
    }
};

QTEST_MAIN(TestWindowRules)
#include "tst_windowrules.moc"
