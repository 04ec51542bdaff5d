#include "TablePlaceholder.h"

#include <QAbstractItemView>
#include <QEvent>

TablePlaceholder::TablePlaceholder(const QString& text, QAbstractItemView* view)
    : QLabel(text, view->viewport()), view(view)
{
    setObjectName(QStringLiteral("TablePlaceholder"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(12);
    // Clicks and the context menu belong to the view underneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette shaded = palette();
    shaded.setColor(foregroundRole(), shaded.color(QPalette::Disabled, QPalette::Text));
    setPalette(shaded);

    view->viewport()->installEventFilter(this);
    connect(view->model(), &QAbstractItemModel::modelReset, this, &TablePlaceholder::follow);
    follow();
}

bool TablePlaceholder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view->viewport() && event->type() == QEvent::Resize)
        setGeometry(view->viewport()->rect());
    return QLabel::eventFilter(watched, event);
}

void TablePlaceholder::follow()
{
    setVisible(view->model()->rowCount() == 0);
}
