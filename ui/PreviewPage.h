#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QPlainTextEdit;

namespace kestrava {

class FileList;
class OptionsPage;

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

    QLabel *Label3() const { return m_Label3; }
    QGroupBox *framPreview() const { return m_framPreview; }
    QLabel *lblBefore() const { return m_lblBefore; }
    QLabel *lblAfter() const { return m_lblAfter; }
    QPlainTextEdit *txtFilesPreview() const { return m_txtFilesPreview; }
    QPlainTextEdit *txtFilesPreviewNew() const { return m_txtFilesPreviewNew; }

private:
    /// Creates the controls from the page's layout table (PreviewPageLayout.cpp).
    void buildLayout();

    QLabel *m_Label3 = nullptr;
    QGroupBox *m_framPreview = nullptr;
    QLabel *m_lblBefore = nullptr;
    QLabel *m_lblAfter = nullptr;
    QPlainTextEdit *m_txtFilesPreview = nullptr;
    QPlainTextEdit *m_txtFilesPreviewNew = nullptr;
};

} // namespace kestrava
