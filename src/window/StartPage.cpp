#include "StartPage.h"

#include "ClickableLabel.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QSignalMapper>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The smallest heading size the page shrinks to on a narrow screen.
constexpr int smallestHeadingPoints = 9;

} // namespace

StartPage::StartPage(const QFont& headingFont, QWidget* parent)
    : QWidget(parent), headingFont(headingFont)
{
    struct Cell
    {
        const char* heading;
        const char* picture;
        const char* innerText;
    };
    // The headings are the catalogue's own words and stay as they are in every language.
    const Cell cells[] = {
        {"Вентиляторы крышные осевые подпора", ":/fanVKOP.png", "ВКОП"},
        {"Вентиляторы крышные", ":/fanVKR.png", "ВКР"},
        {"Вентиляторы радиальные", ":/fanVR.png", "ВР"},
        {"Вентиляторы осевые", ":/fanVO.png", "ВО"},
    };
    auto* grid = new QGridLayout(this);
    auto* mapper = new QSignalMapper(this);
    for (int i = 0; i < 4; ++i) {
        // Its font and width follow the page (see resizeEvent), not the other way round.
        auto* heading = new QLabel(QString::fromUtf8(cells[i].heading));
        heading->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        headings.append(heading);
        auto* picture = new ClickableLabel(QPixmap(QLatin1String(cells[i].picture)),
                                           QString::fromUtf8(cells[i].innerText));
        picture->setCursor(Qt::PointingHandCursor);
        connect(picture, &ClickableLabel::clicked, mapper, QOverload<>::of(&QSignalMapper::map));
        mapper->setMapping(picture, picture->innerText());

        auto* cell = new QVBoxLayout;
        cell->addWidget(heading, 0, Qt::AlignHCenter);
        cell->addWidget(picture, 0, Qt::AlignHCenter);
        grid->addLayout(cell, i / 2, i % 2, Qt::AlignTop);
    }
    connect(mapper, &QSignalMapper::mappedString, this, &StartPage::fanChosen);

    // Never so narrow that the headings at their smallest would be cut.
    QFont smallest = headingFont;
    smallest.setPointSize(smallestHeadingPoints);
    int widest = 0;
    for (const QLabel* heading : qAsConst(headings))
        widest = std::max(widest, QFontMetrics(smallest).horizontalAdvance(heading->text()));
    setMinimumWidth(2 * (widest + 2 * grid->contentsMargins().left()));
}

void StartPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // On a narrow screen the headings get smaller until the longest fits its half of the page.
    const int room = width() / 2 - 2 * layout()->contentsMargins().left();
    QFont font = headingFont;
    for (int points = headingFont.pointSize(); points >= smallestHeadingPoints; --points) {
        font.setPointSize(points);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const QLabel* heading : qAsConst(headings))
            fits = fits && metrics.horizontalAdvance(heading->text()) <= room;
        if (fits)
            break;
    }
    for (QLabel* heading : qAsConst(headings))
        if (heading->font() != font)
            heading->setFont(font);
}
