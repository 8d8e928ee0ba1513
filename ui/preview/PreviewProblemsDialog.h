// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunSimulation.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QLineEdit;
class QTableView;

namespace kestrava {

/// The list behind the summary of the Preview Results tab: every file that will
/// not be renamed, and every one that will become hidden, with its folder, old
/// name, new name and the reason.
///
/// The problems come first, then the files that become hidden, the read-only
/// ones skipped and, only when asked for, the unchanged ones; each kind in the
/// run's order. A click on a column's heading sorts by it, and the filter box
/// keeps the rows that hold its text in any column. Each row is read to a
/// screen reader as "old name, new name, reason".
class PreviewProblemsDialog : public QDialog
{
    Q_OBJECT

public:
    /// Lists \a problems; \a summary heads the list.
    PreviewProblemsDialog(const QList<SimulatedProblem> &problems, const QString &summary, QWidget *parent);

    /// The table of the files (`tblPreviewProblems`).
    QTableView *table() const { return m_table; }
    /// The filter box (`txtProblemsFilter`).
    QLineEdit *filterBox() const { return m_filter; }
    /// Whether the unchanged files are listed (`chkShowUnchanged`).
    QCheckBox *showUnchangedBox() const { return m_showUnchanged; }

    /// What a screen reader reads for a row: "old name, new name, reason".
    static QString rowText(const SimulatedProblem &problem);

private:
    /// Widens the dialog so that the longest reason fits beside the other columns.
    void fitReasons(const QList<SimulatedProblem> &problems);

    QTableView *m_table = nullptr;
    QLineEdit *m_filter = nullptr;
    QCheckBox *m_showUnchanged = nullptr;
};

} // namespace kestrava
