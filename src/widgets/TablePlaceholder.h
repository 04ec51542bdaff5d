#pragma once

#include <QLabel>

class QAbstractItemView;

// A text over an item view's empty viewport that says why it is empty; it goes as soon as the
// view has rows. Its model must be set already, and is only ever reset, never grown or shrunk
// row by row, as the fan table's is. Owned by the viewport.
class TablePlaceholder : public QLabel
{
    Q_OBJECT

public:
    TablePlaceholder(const QString& text, QAbstractItemView* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QAbstractItemView* view;
};
