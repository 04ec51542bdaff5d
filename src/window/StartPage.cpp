#include "StartPage.h"

#include "ClickableLabel.h"

#include <QGridLayout>
#include <QLabel>
#include <QSignalMapper>
#include <QVBoxLayout>

StartPage::StartPage(const QFont& headingFont, QWidget* parent) : QWidget(parent)
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
        auto* heading = new QLabel(QString::fromUtf8(cells[i].heading));
        heading->setFont(headingFont);
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
}
