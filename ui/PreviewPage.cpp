#include "PreviewPage.h"

#include "FileList.h"
#include "KeyPressFilter.h"
#include "LineBlockText.h"
#include "NewFilename.h"
#include "OptionsPage.h"

#include <QPlainTextEdit>

namespace kestrava {

PreviewPage::PreviewPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPage"));
    buildLayout();
    for (QPlainTextEdit *box : {m_ui.txtFilesPreview, m_ui.txtFilesPreviewNew}) {
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
    LineBlockText before;
    LineBlockText after;
    const qsizetype count = file1.count();
    before.reserve(count, 32);
    after.reserve(count, 32);
    for (qsizetype index = 0; index < count; ++index) {
        if (!file1.isSelected(index))
            continue;
        const QString name = file1.name(index);
        before.appendLine(name);
        after.appendLine(BuildNewFilename(name, current, counters, today).value_or(QString()));
    }
    before.showIn(m_ui.txtFilesPreview);
    after.showIn(m_ui.txtFilesPreviewNew);
    Q_EMIT filesPreviewShown();
}

} // namespace kestrava
