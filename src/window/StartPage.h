#pragma once

#include <QFont>
#include <QList>
#include <QWidget>

class QLabel;

// The first page: a heading and a picture for each of the four fan types; a click on a picture
// chooses its type.
class StartPage : public QWidget
{
    Q_OBJECT

public:
    StartPage(const QFont& headingFont, QWidget* parent = nullptr);

signals:
    // The key of the chosen fan type, the name of its class in the tree.
    void fanChosen(const QString& fanName);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const QFont headingFont;
    QList<QLabel*> headings;
};
