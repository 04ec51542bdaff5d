#include "CatalogueQueries.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "MatchingWidget.h"
#include "OptionsDialog.h"
#include "TestSupport.h"

#include <qwt_plot_canvas.h>
#include <qwt_scale_div.h>

#include <unistd.h>

// The window against what it may meet. Catalogues, settings and folders damaged, foreign,
// locked, inconsistent or out of range: the program tells or carries on, and never crashes,
// shows an unnumber or changes the catalogue. And a long session of random user actions: after
// each one the plot, the selected rows and the comparison name the same fans, the table lists
// what SQLite selects with the table's own condition, and nothing was written to standard error.
class TestRobustness : public QObject
{
    Q_OBJECT

    QRandomGenerator random;

    int pick(int count) { return count > 0 ? int(random.bounded(quint32(count))) : 0; }
    template<typename T> T* any(const QList<T*>& list) { return list.value(pick(list.size())); }

private slots:
    void damage_data()
    {
        QTest::addColumn<QString>("sql");          // run on the small catalogue, or its bytes
        QTest::addColumn<QString>("lock");         // another process's write, at start or later
        QTest::addColumn<QByteArray>("ini");       // the settings; "read-only" locks the folder
        QTest::addColumn<QStringList>("expected"); // every box of the session
        const QStringList tree{"Error loading tree data!", "Error loading fan tree!"};
        const QString cmp = "Error showing comparison table!", table = "Error showing fan table!";
        const auto row = [](const char* name, const QStringList& boxes, const QString& change,
                            const char* lock = "", const QByteArray& ini = QByteArray()) {
            QTest::newRow(name) << change << QString(lock) << ini << boxes;
        };
        // clang-format off
        row("absent", {"Database file fans.dat is absent."}, "absent");
        row("empty", tree, "bytes:");
        row("not SQLite", tree, "bytes:This is not a catalogue at all, just some words.");
        row("truncated in the middle", tree, "half");
        row("no classes table", tree, "DROP TABLE classes;");
        row("no engines table", {cmp, table}, "DROP TABLE engines;");
        row("no fans.diameter", {cmp}, "ALTER TABLE fans DROP COLUMN diameter;");
        row("no models.c", {table}, "ALTER TABLE models DROP COLUMN c;");
        row("no models.techInfo", {"Error loading models list!"},
            "ALTER TABLE models DROP COLUMN techInfo;");
        row("no classes rows", {}, "DELETE FROM classes;");
        row("text in numbers", {}, "UPDATE fans SET diameter = 'big', rev = 'fast', q_min = 'x';"
            "UPDATE models SET a7 = 'high', b = 'wide', phi_max = 'end'; UPDATE engines SET "
            "power = 'strong', speed = 'quick'; UPDATE materials SET temperature = 'hot';");
        row("NULL in every column read", {}, "UPDATE fans SET diameter = NULL, nominal = NULL, "
            "rev = NULL, q_min = NULL, q_max = NULL, p_min = NULL, p_max = NULL, url = NULL;"
            "UPDATE models SET model = NULL, a1 = NULL, a2 = NULL, a3 = NULL, a4 = NULL, a5 = "
            "NULL, a6 = NULL, a7 = NULL, b1 = NULL, b2 = NULL, b3 = NULL, b4 = NULL, b5 = NULL, "
            "b6 = NULL, b7 = NULL, phi_min = NULL, phi_max = NULL, b = NULL, c = NULL, pdf = "
            "NULL, techInfo = NULL; UPDATE engines SET power = NULL, speed = NULL, realSpeed = "
            "NULL; UPDATE materials SET material = NULL, temperature = NULL;"
            "UPDATE classes SET class = NULL WHERE id > 1;");
        row("NULL class bounds", {}, "UPDATE classes SET leftValue = NULL, rightValue = NULL, "
            "level = NULL WHERE id IN (4, 6);");
        row("first row deeper than the root", {}, "UPDATE classes SET level = 3 WHERE id <= 2;");
        row("levels jump down by several", {}, "UPDATE classes SET level = level + 4 * (id % 3);");
        row("zero sizes and speeds", {}, "UPDATE fans SET diameter = 0, rev = 0, nominal = 0;"
            "UPDATE engines SET speed = 0, power = 0; UPDATE models SET b = 0, c = 0;");
        row("negative sizes and speeds", {}, "UPDATE fans SET diameter = -4, rev = -1400; UPDATE "
            "engines SET speed = -1500; UPDATE models SET b = -0.5, c = -0.6;");
        row("write pending at start", {}, "", "BEGIN IMMEDIATE; UPDATE fans SET rev = 1;");
        row("exclusive lock at start", tree, "", "BEGIN EXCLUSIVE;");
        row("exclusive lock while used", {table}, "", "later BEGIN EXCLUSIVE;");
        row("garbage settings", {}, "", "", QByteArray(
            "[MainWindow]\nWindowState=zzz\nGeometry=rubbish\nTreeParamHorSplitterState=rubbish\n"
            "TabsTableVerSplitterState=@ByteArray(\\xff\\0\\x1)\nPMatchValue=abc\n"
            "PDeviationValue=xyz\nQMatchValue=@Rect(1 2 3 4)\nQDeviationValue=\n"
            "[OptionsWindow]\nPosition=rubbish\nExpertView=maybe\nBottomTicksCount=many\n"
            "LMargin=wide\nLogarithmicScale=perhaps\n"));
        row("settings out of range, off every screen", {}, "", "", QByteArray(
            "[MainWindow]\nWindowState=4294967295\nGeometry=@Rect(-100000 -100000 100 100)\n"
            "PMatchValue=1e308\nPDeviationValue=-50\nQMatchValue=-1e308\nQDeviationValue=1000000"
            "\n[OptionsWindow]\nBottomTicksCount=100000\nTopTicksCount=-7\nLeftMeaningDigits=99\n"
            "RMargin=-30\nTMargin=100000\nPosition=@Point(-30000 40000)\n"));
        // The tree splitter's marker, version, then a list that claims 2^31 - 1 sizes.
        row("not a number, broken splitters, a giant window", {}, "", "", QByteArray(
            "[MainWindow]\nPMatchValue=nan\nQMatchValue=inf\nWindowState=0\n"
            "Geometry=@Rect(0 0 2147483647 5)\nTreeParamHorSplitterState=@ByteArray(\\0\\0\\0"
            "\\xff\\0\\0\\0\\0\\x7f\\xff\\xff\\xff)\nTabsTableVerSplitterState=@ByteArray("
            "\\0\\0\\0\\xff\\0\\0\\0)\n[OptionsWindow]\nPosition=@Point(2147483647 5)\n"));
        row("read-only program folder", {}, "", "", "read-only");
        // clang-format on
    }

    // Where the outcome is set: the tree boxes and no start for an unreadable tree, one box and
    // the window closed for a failed table query; else a working window. Readers go on while
    // another process prepares a change, and fail once it takes the file (after a busy timeout).
    // Settings give defaults or clamped values, twice: as written by hand, then as the first run
    // saved them. Root is not bound by permissions; a folder in the settings file's place is, for
    // anyone.
    void damage()
    {
        QFETCH(QString, sql);
        QFETCH(QString, lock);
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, expected);
        TestCatalogue catalogue;
        const QString file = catalogue.catalogueFile(), folder = catalogue.folder();
        // The small catalogue without the schema's constraints, then the change.
        QString all = TestCatalogue::smallContent();
        const QString relax = "ALTER TABLE %1 RENAME TO t; CREATE TABLE %1 AS SELECT * FROM t;";
        for (const char* table : {"fans", "classes", "engines", "materials", "models"})
            all += relax.arg(table) + "DROP TABLE t;\n";
        if (sql.startsWith("bytes:"))
            QVERIFY(writeBytes(file, sql.mid(6).toUtf8()));
        else if (sql == "half")
            QVERIFY(QFile::copy(VORTEL_PROGRAM_DIR "fans.dat", file) &&
                    QFile::resize(file, QFileInfo(file).size() / 2));
        else if (sql != "absent")
            QVERIFY(catalogue.build(all + sql));
        const bool readOnly = ini == "read-only";
        const QString settings = folder + "vortel.ini";
        QVERIFY(ini.isNull() || readOnly || writeBytes(settings, ini));
        QVERIFY(!readOnly || geteuid() != 0 || QDir().mkdir(settings));
        QVERIFY(!readOnly || QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QProcess writer;
        const auto hold = [&] {
            writer.start("sqlite3", {file});
            writer.write(".timeout 20000\n" + lock.mid(lock.indexOf("BEGIN")).toUtf8());
            writer.write(";SELECT 1;\n");
            QVERIFY(writer.waitForReadyRead() && writer.readAll() == "1\n");
        };
        if (!lock.isEmpty() && !lock.startsWith("later"))
            hold();
        const QString last = expected.value(expected.size() - 1);
        for (int run = ini.isNull(); run < 2; ++run) {
            // A session: start, the root chosen, every listed fan selected, every tab shown,
            // options opened, close. Where no box appeared, the table is SQLite's answer and
            // shows no unnumber.
            const QByteArray before = fileBytes(file);
            BoxCloser closer;
            StderrCapture capture;
            auto window = std::make_unique<MainWindow>(folder);
            if (lock.startsWith("later"))
                hold();
            // The status bar said that the settings will not be kept.
            QCOMPARE(bool(window->findChild<QLabel*>("SettingsNotKept")), readOnly);
            if (window->isValid()) {
                window->show();
                leaveStartPage(*window, 2);
                auto* tree = window->findChild<QTreeWidget*>();
                tree->setCurrentItem(tree->topLevelItem(0));
                // A duty with its columns, rows, operating points and efficiency curves.
                for (const char* name : {"OperatingPoints", "Efficiency"})
                    window->findChild<QCheckBox*>(name)->setChecked(true);
                window->findChild<FanPlot*>()->setWorkingPoint(3000, 400);
                auto* table = window->findChild<QTableView*>();
                for (int row = 0; window->isVisible() && row < table->model()->rowCount(); ++row)
                    table->selectRow(row);
                auto* tabs = window->findChild<QTabWidget*>();
                for (int tab = 0; window->isVisible() && tab < tabs->count(); ++tab)
                    tabs->setCurrentIndex(tab);
                QCOMPARE(window->isVisible(), closer.texts.isEmpty()); // a box ends the run
                menuAction(*window, "&Options")->trigger();
                if (closer.texts.isEmpty())
                    verifyShown(*window, file);
                window->close();
            }
            const bool valid = window->isValid();
            window.reset(); // what closing writes counts too
            const QByteArray err = capture.text();
            QCOMPARE(fileBytes(file), before);
            if (!lock.isEmpty()) {
                writer.write("ROLLBACK;\n.quit\n");
                QVERIFY(writer.waitForFinished());
            }
            // A box while the window is built leaves it invalid; a later one only closes it.
            QCOMPARE(valid,
                     last.isEmpty() || last.contains("fan table") || last.contains("models list"));
            QCOMPARE(closer.texts, expected);
            QVERIFY(valid || !QFile::exists(settings));
            QCOMPARE(QFile::exists(file), sql != "absent");
            // Neither a missing file nor the data sheet's model list gives the query diagnostic.
            if (readOnly)
                QCOMPARE(err, "Failed to save the settings to " + settings.toUtf8() + '\n');
            else if (last.isEmpty() || last.contains("models list") || last.contains("absent"))
                QCOMPARE(err, QByteArray());
            else if (last.contains("tree"))
                QVERIFY(err.startsWith("Failed to execute query: SELECT id, class, leftValue, "
                                       "rightValue, level FROM classes ORDER BY leftValue\n"));
            else
                QVERIFY(err.startsWith("Failed to execute query: ") &&
                        (lock.isEmpty() || err.contains("database is locked")));
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

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

private:
    static void verifyShown(const MainWindow& window, const QString& file)
    {
        QCOMPARE(tableIds(window), sqliteFanIds(file, MainWindowProbe::baseCondition(window)));
        const auto* plot = window.findChild<FanPlot*>();
        QString shown = window.findChild<QTextBrowser*>()->toPlainText();
        for (int axis = 0; axis < PlotAxis::Count && !plot->fans().isEmpty(); ++axis)
            shown += QString(" %1 %2")
                         .arg(plot->scaleDiv(axis).lowerBound())
                         .arg(plot->scaleDiv(axis).upperBound());
        for (const QTableView* view : window.findChildren<QTableView*>())
            for (int r = 0; r < view->model()->rowCount(); ++r)
                for (int c = 0; c < view->model()->columnCount(); ++c)
                    shown += ' ' + view->model()->index(r, c).data().toString();
        QVERIFY2(!shown.contains(QRegularExpression("(?i)\\b(nan|inf)\\b")), qPrintable(shown));
        const auto* dialog = window.findChild<OptionsDialog*>();
        QVERIFY(dialog->isVisible() && QGuiApplication::screenAt(dialog->pos()) &&
                window.width() < 5000); // a saved 2^31 - 1 is not taken
        const auto* matching = window.findChild<MatchingWidget*>();
        QVERIFY(qAbs(matching->pMatchValue()) <= 1e5 && qAbs(matching->qMatchValue()) <= 1e6 &&
                matching->pDeviationValue() >= 0 && matching->qDeviationValue() >= 0);
    }
};

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
