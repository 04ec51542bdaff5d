#pragma once

#include "DesktopLink.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

// A button in the comparison table that opens a page or file, or says why it cannot.
class UrlButton : public QPushButton
{
    Q_OBJECT

public:
    UrlButton(const QString& text, const QString& url, const QString& failMessage,
              QWidget* parent = nullptr)
        : QPushButton(text, parent), url(url), failMessage(failMessage)
    {}

protected:
    // Only a mouse release acts; keyboard activation does nothing.
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QPushButton::mouseReleaseEvent(event);
        if (!url.isEmpty())
            DesktopLink::open(parentWidget(), QUrl(url, QUrl::TolerantMode));
        else
            QMessageBox::critical(parentWidget(), tr("Error"), failMessage, QMessageBox::Ok);
    }

private:
    QString url;
    QString failMessage;
};
