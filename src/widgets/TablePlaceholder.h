#pragma once

#include <QLabel>

class QAbstractItemView;

// A text over an item view's empty viewport that says why it is empty; it goes as soon as the
// view has rows. Owned by the viewport; the view's model must be set already.
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
