#pragma once

#include <QDialog>
#include <QStringList>

class Exporter;
class QPushButton;
class QTableView;
class ScheduleResultModel;

// The fans ranked for a schedule, in a table the user sorts by a header click, exports as CSV,
// and from which the chosen rows' fans go to the plot and the comparison.
class ScheduleDialog : public QDialog
{
    Q_OBJECT

public:
    // Takes the model over; the exporter writes the table.
    ScheduleDialog(ScheduleResultModel* model, Exporter* exporter, QWidget* parent);

    QTableView* table() const { return view; }

signals:
    // The fans of the chosen rows, and the duty of the first of them as airflow in m³/h and full
    // pressure at 20 °C.
    void fansChosen(const QStringList& ids, double q, double p20);

private:
    void sendChosen();

    ScheduleResultModel* model;
    QTableView* view;
    QPushButton* showButton;
};
