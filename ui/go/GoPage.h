// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kestrava {

class AnchorLayout;

namespace Ui {

/// The controls of the Go page that code works with, found by name once the
/// layout table has created them (GoPageLayout.cpp); `lstErrorLog` is made apart.
struct GoPage
{
    QLabel *lblErrorLog = nullptr;
    QGroupBox *framGo = nullptr;
    QPushButton *StartButton = nullptr;
    QPushButton *StopButton = nullptr;
    QPushButton *cmdUndo = nullptr;
    QLabel *lblNoFilesSelected = nullptr;
    QGroupBox *framProgress = nullptr;
    QLabel *CurrentDirLabel = nullptr;
    QLabel *FileNameLabel = nullptr;
    QLabel *lblFileCounter = nullptr;
    QLabel *lblStatus = nullptr;
    QPlainTextEdit *txtFilesModified = nullptr;
    QProgressBar *prgRun = nullptr;
    QListView *lstErrorLog = nullptr;
};

} // namespace Ui

/// Tab 3, "Go !": Start, Stop and Undo, the progress of a run or an undo and the
/// log of renamed files.
class GoPage : public QWidget
{
    Q_OBJECT

public:
    explicit GoPage(QWidget *parent = nullptr);

    /// The page's controls, which the run's progress and run control show on and read.
    const Ui::GoPage &ui() const { return m_ui; }

    /// Shares the log's area with the error log (`lblErrorLog` and `lstErrorLog`)
    /// when \a shown, or gives the whole area back to the log of modified files.
    void showErrorArea(bool shown);
    bool isErrorAreaShown() const;

private:
    /// Creates the controls from the page's layout table (GoPageLayout.cpp).
    void buildLayout();
    /// Creates the error log's list, hidden until a run logs an error.
    void buildErrorArea();
    /// Names and labels the controls for a screen reader (GoPageLayout.cpp).
    void describeControls();

    Ui::GoPage m_ui;
    /// Follows the window's growth; the error area's controls join it when shown.
    AnchorLayout *m_anchors = nullptr;
};

} // namespace kestrava
