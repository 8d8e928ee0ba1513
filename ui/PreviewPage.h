#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QPlainTextEdit;

namespace kestrava {

class FileList;
class OptionsPage;

namespace Ui {

/// The controls of the preview page that its code works with, found by name once
/// the layout table has created them (PreviewPageLayout.cpp).
struct PreviewPage
{
    QPlainTextEdit *txtFilesPreview = nullptr;
    QPlainTextEdit *txtFilesPreviewNew = nullptr;
};

} // namespace Ui

/// Tab 2, "Preview Results...": the old and the new names of the selected files.
class PreviewPage : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPage(QWidget *parent = nullptr);

    /// Loads the counters of \a options, then lists every selected entry of
    /// \a file1 in index order on the left and its new name under the current
    /// options on the right, one line each. A name that cannot be computed (no
    /// dot, a counter past 9999) leaves its right-hand line empty.
    void ShowFilesPreview(const FileList &file1, OptionsPage &options);

Q_SIGNALS:
    /// Emitted once both boxes show the names of a files preview.
    void filesPreviewShown();

private:
    /// Creates the controls from the page's layout table (PreviewPageLayout.cpp).
    void buildLayout();

    Ui::PreviewPage m_ui;
};

} // namespace kestrava
