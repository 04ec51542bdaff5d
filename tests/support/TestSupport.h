#pragma once

#include "MainWindowProbe.h"

// The test toolkit and the widgets, which every test that drives the program needs.
#include <QtTest>
#include <QtWidgets>

// A whole file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString& fileName);

// A program folder in a temporary directory with a catalogue built from SQL.
class TestCatalogue
{
public:
    // The folder with a trailing "/", as the program passes it to its window.
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString catalogueFile() const { return folder() + QStringLiteral("fans.dat"); }
    // Builds fans.dat from the program's schema and the given rows; false on any SQL error.
    bool build(const QString& contentSql);
    // A small catalogue: root, the four fan types, series, schemes and a dozen fans.
    static QString smallContent()
    {
        return QString::fromUtf8(fileBytes(VORTEL_SOURCE_DIR "/tests/support/small_catalogue.sql"));
    }

private:
    QTemporaryDir dir;
};

// Closes every modal message box as soon as it shows and remembers its text.
class BoxCloser : public QObject
{
    Q_OBJECT
public:
    explicit BoxCloser(QObject* parent = nullptr);
    QStringList texts;
    // Ticks the check box of a box before closing it, when there is one.
    bool tickCheckBox = false;
    // The button to press by its text; the first button when empty, Escape when "Escape"; with
    // no such button the box is closed without one.
    QString press;

private:
    void poll();
    QTimer timer;
};

// Takes the URLs the program hands to the desktop for these schemes, in order, while it lives;
// a refusing one lets each opening fail, as a desktop without a viewer or browser does.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    explicit OpenedUrls(const QStringList& schemes, bool refuse = false);
    ~OpenedUrls() override;
    QStringList urls;

private:
    Q_INVOKABLE void open(const QUrl& url) { urls.append(url.toString()); }
    const QStringList schemes;
};

// Redirects the process's standard error into a file while the object lives, or until its text
// is read.
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture() { text(); }
    // What was written so far; the first call ends the capture.
    QByteArray text();

private:
    QTemporaryDir dir;
    int savedFd = -1;
};

// Numbers as texts to `digits` significant digits, a blank apart.
QString numbers(const QList<double>& values, int digits = 6);
// Writes a whole file, making its folders; false on any failure.
bool writeBytes(const QString& fileName, const QByteArray& bytes);

class QAction;

// The window as a user drives it: the ids its fan table lists (sorted), a picture on its start
// page clicked, a menu entry found by its text.
QList<int> tableIds(const MainWindow& window);
void leaveStartPage(MainWindow& window, int picture);
QAction* menuAction(const MainWindow& window, const QString& text);

// Whether `actual` is the approved copy tests/approved/<name>, looked at once by eye; with
// VORTEL_APPROVE set it writes the copy instead. A differing copy is left in the temporary folder
// to be looked at. Drawn with DejaVu Sans by Qt 5.15.8: with another font or Qt, nothing is
// compared.
bool approved(const QString& name, const QByteArray& actual);
bool approved(const QString& name, const QImage& picture);
// Each shown widget inside `top`, in creation order: class, name, place and size in `top`,
// and a slider's or spin box's value.
QByteArray layoutOf(const QWidget& top);

// The ids that SQLite itself selects with the fan table query and `condition`, in id order.
QList<int> sqliteFanIds(const QString& catalogueFile, const QString& condition);
