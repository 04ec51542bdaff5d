#pragma once

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QResizeEvent>

// A picture on the start page that reports clicks and keeps its aspect ratio as it resizes. It
// asks for its full size but makes do with a third of it, so the page fits a small screen.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    ClickableLabel(const QPixmap& pixmap, const QString& text, QWidget* parent = nullptr)
        : QLabel(parent), text(text), original(pixmap)
    {
        setPixmap(pixmap);
        // Drawn at the size it was scaled to, centred: stretched to the label it would lose its
        // proportions whenever the page is short.
        setAlignment(Qt::AlignCenter);
    }

    QSize sizeHint() const override { return original.size(); }
    QSize minimumSizeHint() const override { return original.size() / 3; }

    // The key this picture stands for; never shown.
    QString innerText() const { return text; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent*) override { emit clicked(); }

    void resizeEvent(QResizeEvent* event) override
    {
        // Scaled from the original each time, so repeated resizes never blur the picture.
        if (!original.isNull())
            setPixmap(
                original.scaled(event->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        QLabel::resizeEvent(event);
    }

private:
    QString text;
    QPixmap original;
};
