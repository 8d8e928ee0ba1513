#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace kestrava {

/// Tab 3, "Go !": Start and Stop, the progress of a run and the log of renamed files.
class GoPage : public QWidget
{
    Q_OBJECT

public:
    explicit GoPage(QWidget *parent = nullptr);

    QLabel *Label4() const { return m_Label4; }
    QLabel *lblFilesModified() const { return m_lblFilesModified; }
    QLabel *lblErrorLog() const { return m_lblErrorLog; }
    QGroupBox *framGo() const { return m_framGo; }
    QPushButton *StartButton() const { return m_StartButton; }
    QPushButton *StopButton() const { return m_StopButton; }
    QLabel *lblNoFilesSelected() const { return m_lblNoFilesSelected; }
    QGroupBox *framProgress() const { return m_framProgress; }
    QLabel *CurrentDirLabel() const { return m_CurrentDirLabel; }
    QLabel *FileNameLabel() const { return m_FileNameLabel; }
    QLabel *lblFileCounter() const { return m_lblFileCounter; }
    QLabel *lblStatus() const { return m_lblStatus; }
    QPlainTextEdit *txtFilesModified() const { return m_txtFilesModified; }
    /// The texts of the errors of the last run, under the log of modified files.
    QListView *lstErrorLog() const { return m_lstErrorLog; }

    /// Shares the log's area with the error log (`lblErrorLog` and `lstErrorLog`)
    /// when \a shown, or gives the whole area back to the log of modified files.
    void showErrorArea(bool shown);
    bool isErrorAreaShown() const;

private:
    /// Creates the controls from the page's layout table (GoPageLayout.cpp).
    void buildLayout();
    /// Creates the error log's list, hidden until a run logs an error.
    void buildErrorArea();

    QLabel *m_Label4 = nullptr;
    QLabel *m_lblFilesModified = nullptr;
    QLabel *m_lblErrorLog = nullptr;
    QGroupBox *m_framGo = nullptr;
    QPushButton *m_StartButton = nullptr;
    QPushButton *m_StopButton = nullptr;
    QLabel *m_lblNoFilesSelected = nullptr;
    QGroupBox *m_framProgress = nullptr;
    QLabel *m_CurrentDirLabel = nullptr;
    QLabel *m_FileNameLabel = nullptr;
    QLabel *m_lblFileCounter = nullptr;
    QLabel *m_lblStatus = nullptr;
    QPlainTextEdit *m_txtFilesModified = nullptr;
    QListView *m_lstErrorLog = nullptr;
};

} // namespace kestrava
