#pragma once

#include "RunSimulation.h"

#include <QDialog>
#include <QList>

class QTableView;

namespace kestrava {

/// The list behind the summary of the Preview Results tab: every file that will
/// not be renamed, and every one that will become hidden, with its folder, old
/// name, new name and the reason, in the run's order.
class PreviewProblemsDialog : public QDialog
{
    Q_OBJECT

public:
    /// Lists \a problems; \a summary heads the list.
    PreviewProblemsDialog(const QList<SimulatedProblem> &problems, const QString &summary, QWidget *parent);

    /// The table of the files (`tblPreviewProblems`).
    QTableView *table() const { return m_table; }

private:
    QTableView *m_table = nullptr;
};

} // namespace kestrava
