#include "PreviewPage.h"

#include "FileList.h"
#include "KeyPressFilter.h"
#include "NewFilename.h"
#include "OptionsPage.h"

#include <QPlainTextEdit>

namespace kestrava {

PreviewPage::PreviewPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPage"));
    buildLayout();
    for (QPlainTextEdit *box : {m_txtFilesPreview, m_txtFilesPreviewNew}) {
        // The boxes only display, but a keyboard user can still move through
        // them, select and copy, and Tab leaves them.
        KeyPressFilter::install(box, KeyPressFilter::Accept::Nothing);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setTabChangesFocus(true);
    }
}

void PreviewPage::ShowFilesPreview(const FileList &file1, OptionsPage &options)
{
    options.loadCounters();
    // Nothing can change the controls or the date while this loop runs (it never
    // yields), so reading them once gives what reading them per name would.
    const RenameOptions current = options.currentOptions();
    const QDate today = options.today();
    NameCounters &counters = options.counters();

    // Whole folders of 100,000 names are shown: each text is built in full
    // and handed to its box once.
    QString before;
    QString after;
    const QChar lineBreak = u'\n';
    const qsizetype count = file1.count();
    for (qsizetype index = 0; index < count; ++index) {
        if (!file1.isSelected(index))
            continue;
        const QString name = file1.name(index);
        before += name + lineBreak;
        after += BuildNewFilename(name, current, counters, today).value_or(QString()) + lineBreak;
    }
    m_txtFilesPreview->setPlainText(before);
    m_txtFilesPreviewNew->setPlainText(after);
}

} // namespace kestrava
