#include "TestSupport.h"

#include "CatalogueQueries.h"
#include "ClickableLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

TestCatalogue::TestCatalogue() = default;

bool TestCatalogue::build(const QString& contentSql)
{
    QFile::remove(catalogueFile());
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), catalogueFile()});
    if (!sqlite.waitForStarted())
        return false;
    sqlite.write(".read " VORTEL_SOURCE_DIR "/data/schema.sql\n");
    sqlite.write(contentSql.toUtf8());
    sqlite.closeWriteChannel();
    sqlite.waitForFinished();
    const QByteArray errors = sqlite.readAllStandardError();
    if (!errors.isEmpty())
        qWarning("sqlite3: %s", errors.constData());
    return sqlite.exitStatus() == QProcess::NormalExit && sqlite.exitCode() == 0 &&
           errors.isEmpty();
}

QString TestCatalogue::smallContent()
{
    // Root 1..30; fan types at level 1, series at level 2, schemes at level 3.
    return QStringLiteral(R"(
INSERT INTO classes VALUES (1, 'Вентиляторы', 1, 30, 0);
INSERT INTO classes VALUES (2, 'ВКОП', 2, 5, 1);
INSERT INTO classes VALUES (3, 'ВКОП серия', 3, 4, 2);
INSERT INTO classes VALUES (4, 'ВКР', 6, 11, 1);
INSERT INTO classes VALUES (5, 'ВКР серия', 7, 10, 2);
INSERT INTO classes VALUES (6, 'Схема 1', 8, 9, 3);
INSERT INTO classes VALUES (7, 'ВР', 12, 23, 1);
INSERT INTO classes VALUES (8, 'ВР 80-75', 13, 18, 2);
INSERT INTO classes VALUES (9, 'Схема 1', 14, 15, 3);
INSERT INTO classes VALUES (10, 'Схема 5', 16, 17, 3);
INSERT INTO classes VALUES (11, 'ВР 300-45', 19, 22, 2);
INSERT INTO classes VALUES (12, 'Схема 5', 20, 21, 3);
INSERT INTO classes VALUES (13, 'ВО', 24, 29, 1);
INSERT INTO classes VALUES (14, 'ВО 06-300', 25, 28, 2);
INSERT INTO classes VALUES (15, 'Крышные осевые', 26, 27, 3);
INSERT INTO engines VALUES (1, 0.75, 1500, 1400);
INSERT INTO engines VALUES (2, 5.5, 3000, 2850);
INSERT INTO engines VALUES (3, 11, 1000, 960);
INSERT INTO materials VALUES (1, 'О', 20);
INSERT INTO materials VALUES (2, 'Ж', 400);
INSERT INTO materials VALUES (3, 'К', 20);
INSERT INTO materials VALUES (4, 'ДУ', 600);
INSERT INTO models VALUES (1, 'ВР80-75', 0, 0, 0, 0, -2.0, 0.2, 0.85, 0, 0, 0, 0, 0.5, 0.05, 0.1,
    0.1, 0.35, 0.5, 0.6, 'vr80_75', 'vr80_75');
INSERT INTO models VALUES (2, 'ВКР', 0, 0, 0, 0, -1.5, 0.1, 0.7, 0, 0, 0, 0, 0.4, 0.05, 0.08,
    0.1, 0.4, 0.5, 0.6, '', 'vkr');
INSERT INTO models VALUES (3, 'ВКОП(Ф)', 0, 0, 0, 0, -1.0, 0.0, 0.4, 0, 0, 0, 0, 0.3, 0.02, 0.05,
    0.15, 0.45, 0.9, 0.9, NULL, 'vkop');
INSERT INTO models VALUES (4, 'ВО 06-300', 0, 0, 0, 0, -0.8, 0.0, 0.3, 0, 0, 0, 0, 0.2, 0.02, 0.04,
    0.2, 0.5, 0.9, 0.9, 'vo06_300', 'vo06_300');
INSERT INTO models VALUES (5, 'ВР300-45', 0, 0, 0, 0, -6.0, 0.5, 3.0, 0, 0, 0, 0, 1.0, 0.2, 0.3,
    0.05, 0.2, 0.3, 0.4, 'vr300_45', 'vr300_45');
INSERT INTO fans VALUES (1, 9, 1, 1, 1, 4, 1, 1400, 1250.5, 4000.5, 300, 500, 600, 500, 600, 50, NULL);
INSERT INTO fans VALUES (2, 9, 1, 2, 2, 3.15, 1, 2850, 1500, 3000, 700, 900, NULL, NULL, NULL, NULL, 'https://vortel.example/order/2');
INSERT INTO fans VALUES (3, 10, 1, 3, 3, 6.3, 0.9, 960, 5000, 9000, 400, 600, 900, 800, 900, 120, NULL);
INSERT INTO fans VALUES (4, 10, 1, 1, 1, 4, 1.05, 1400, 1400, 4200, 300, 520, 600, 500, 600, 52, NULL);
INSERT INTO fans VALUES (5, 6, 2, 1, 1, 5, 1, 1400, 2000, 5000, 200, 400, 700, 700, 500, 40, NULL);
INSERT INTO fans VALUES (6, 6, 2, 2, 3, 4, 1, 2850, 2500, 6000, 500, 800, 700, 700, 500, 45, NULL);
INSERT INTO fans VALUES (7, 3, 3, 3, 4, 8, 1, 960, 9000, 20000, 150, 300, 1000, 1000, 1200, 150, NULL);
INSERT INTO fans VALUES (8, 15, 4, 2, 1, 6.3, 1, 2850, 8000, 16000, 100, 250, 800, 700, 700, 60, NULL);
INSERT INTO fans VALUES (9, 12, 5, 3, 2, 5, 1, 960, 3000, 5000, 1500, 2500, 800, 700, 800, 90, NULL);
INSERT INTO fans VALUES (10, 12, 5, 99, 1, 5, 1, 960, 3000, 5000, 1500, 2500, 800, 700, 800, 90, NULL);
)");
}

QString TestCatalogue::pagedContent(int extra)
{
    // Revs vary so that sorting has something to do.
    return smallContent() + QStringLiteral(R"(
WITH RECURSIVE n(i) AS (SELECT 11 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
INSERT INTO fans SELECT i, 9, 1, 1, 1, 4, 1, 500 + (i * 37) % 1000, 1000, 2000, 300, 500,
    NULL, NULL, NULL, NULL, NULL FROM n;
)")
                                .arg(10 + extra);
}

QList<int> sqliteFanIds(const QString& catalogueFile, const QString& condition)
{
    QList<int> ids;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "oracle");
        db.setDatabaseName(catalogueFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        if (db.open() && query.exec(MainWindow::fanTableBaseQuery + condition)) {
            while (query.next())
                ids.append(query.value(CatalogueQueries::FanId).toInt());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("oracle"));
    std::sort(ids.begin(), ids.end());
    return ids;
}

QList<int> tableIds(const MainWindow& window)
{
    QList<int> ids;
    const QAbstractItemModel* model = window.findChild<QTableView*>()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        ids.append(model->index(row, CatalogueQueries::FanId).data().toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

void leaveStartPage(MainWindow& window, int picture)
{
    QTest::mouseClick(window.findChildren<ClickableLabel*>().value(picture), Qt::LeftButton);
}

QAction* menuAction(const MainWindow& window, const QString& text)
{
    for (QAction* menu : window.menuBar()->actions()) {
        for (QAction* entry : menu->menu()->actions()) {
            if (entry->text() == text)
                return entry;
        }
    }
    return nullptr;
}

BoxCloser::BoxCloser(QObject* parent) : QObject(parent)
{
    connect(&timer, &QTimer::timeout, this, &BoxCloser::poll);
    timer.start(10);
}

void BoxCloser::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    texts.append(box->text());
    if (tickCheckBox && box->checkBox())
        box->checkBox()->setChecked(true);
    if (press == QLatin1String("Escape")) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
    }
    QAbstractButton* button = box->buttons().value(0);
    for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() == press)
            button = candidate;
    }
    if (button)
        button->click();
    else
        box->done(0);
}

StderrCapture::StderrCapture()
{
    std::fflush(stderr);
    savedFd = dup(STDERR_FILENO);
    const QByteArray path = QFile::encodeName(dir.path() + QStringLiteral("/stderr"));
    const int fd = open(path.constData(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    dup2(fd, STDERR_FILENO);
    ::close(fd);
}

QByteArray StderrCapture::text()
{
    if (!finished) {
        std::fflush(stderr);
        dup2(savedFd, STDERR_FILENO);
        ::close(savedFd);
        finished = true;
        captured = fileBytes(dir.path() + QStringLiteral("/stderr"));
    }
    return captured;
}

StderrCapture::~StderrCapture()
{
    text();
}

QByteArray fileBytes(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
