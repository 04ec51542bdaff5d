#include "TestSupport.h"

#include "CatalogueQueries.h"
#include "ClickableLabel.h"

#include <QtSql>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

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

bool approved(const QString& name, const QByteArray& actual)
{
    const QString file = VORTEL_SOURCE_DIR "/tests/approved/" + name;
    if (qEnvironmentVariableIsSet("VORTEL_APPROVE"))
        return writeBytes(file, actual);
    if (QFontInfo(QGuiApplication::font()).family() != "DejaVu Sans" ||
        qstrcmp(qVersion(), "5.15.8") != 0) {
        qWarning("%s: not compared, drawn with another font or Qt", qPrintable(name));
        return true;
    }
    if (fileBytes(file) == actual)
        return true;
    const QString seen = QDir::temp().filePath(name);
    writeBytes(seen, actual);
    qWarning("%s differs from the approved copy: see %s", qPrintable(name), qPrintable(seen));
    return false;
}

bool approved(const QString& name, const QImage& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    return buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG") && approved(name, png);
}

QByteArray layoutOf(const QWidget& top)
{
    QByteArray text;
    for (int i = 0; i < 5; ++i) // a resize and the layouts it sets off settle through events
        QCoreApplication::processEvents();
    for (const QWidget* w : top.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&top))
            continue;
        const QPoint at = w->mapTo(&top, QPoint());
        text += QString("%1 %2 %3,%4 %5x%6 %7\n")
                    .arg(w->metaObject()->className(), w->objectName())
                    .arg(at.x())
                    .arg(at.y())
                    .arg(w->width())
                    .arg(w->height())
                    .arg(w->property("value").toString())
                    .toUtf8();
    }
    return text;
}

QAction* menuAction(const MainWindow& window, const QString& text)
{
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* entry : menu->menu()->actions())
            if (entry->text() == text)
                return entry;
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
    if (press == QLatin1String("Escape"))
        return QTest::keyClick(box, Qt::Key_Escape);
    for (QAbstractButton* button : box->buttons())
        if (press.isEmpty() || button->text() == press)
            return button->click();
    box->done(0);
}

OpenedUrls::OpenedUrls(const QStringList& schemes, bool refuse) : schemes(schemes)
{
    // The desktop reports a handler it cannot call as a failed opening.
    for (const QString& scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, this, refuse ? "noSuchSlot" : "open");
}

OpenedUrls::~OpenedUrls()
{
    for (const QString& scheme : schemes)
        QDesktopServices::unsetUrlHandler(scheme);
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
    if (savedFd >= 0) {
        std::fflush(stderr);
        dup2(savedFd, STDERR_FILENO);
        ::close(savedFd);
        savedFd = -1;
    }
    return fileBytes(dir.path() + QStringLiteral("/stderr"));
}

QString numbers(const QList<double>& values, int digits)
{
    QStringList texts;
    for (const double value : values)
        texts << QString::number(value, 'g', digits);
    return texts.join(' ');
}

bool writeBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
