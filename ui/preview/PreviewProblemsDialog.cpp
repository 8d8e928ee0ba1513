// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewProblemsDialog.h"

#include "FileNameBytes.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrava {

namespace {

enum Column { FolderColumn, OldNameColumn, NewNameColumn, ReasonColumn, ColumnCount };

// Where a kind of file comes in the list: what the user must see to first.
int rank(const SimulatedFile &file)
{
    switch (file.outcome) {
    case SimulatedOutcome::Renamed: // renamed, but then hidden
        return 1;
    case SimulatedOutcome::ReadOnlySkipped:
        return 2;
    case SimulatedOutcome::Unchanged:
        return 3;
    default:
        return 0;
    }
}

// The files as rows, read straight from the list: a tree of 100,000 problem
// files makes no item per cell.
class ProblemsModel : public QAbstractTableModel
{
public:
    ProblemsModel(const QList<SimulatedProblem> &problems, QObject *parent)
        : QAbstractTableModel(parent)
        , m_problems(problems)
    {
        m_order.resize(problems.size());
        for (qsizetype i = 0; i < problems.size(); ++i)
            m_order[i] = int(i);
        std::ranges::stable_sort(m_order, {}, [&](int i) { return rank(m_problems.at(i).file); });
    }

    const SimulatedProblem &problem(int row) const { return m_problems.at(m_order.at(row)); }

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(m_order.size()); }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : ColumnCount; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return QVariant();
        const SimulatedProblem &file = problem(index.row());
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: // the whole folder or name, where the column cuts it short
            break;
        // A screen reader moving from row to row hears the row, whichever cell has the focus.
        case Qt::AccessibleTextRole:
            return PreviewProblemsDialog::rowText(file);
        case Qt::AccessibleDescriptionRole:
            return displayFileName(file.folderPath);
        default:
            return QVariant();
        }
        switch (index.column()) {
        case FolderColumn:
            return displayFileName(file.folderPath);
        case OldNameColumn:
            return displayFileName(file.oldName);
        case NewNameColumn:
            return displayFileName(file.newName);
        default:
            return file.reason;
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        switch (section) {
        case FolderColumn:
            return PreviewProblemsDialog::tr("Folder");
        case OldNameColumn:
            return PreviewProblemsDialog::tr("Old name");
        case NewNameColumn:
            return PreviewProblemsDialog::tr("New name");
        default:
            return PreviewProblemsDialog::tr("Reason");
        }
    }

private:
    QList<SimulatedProblem> m_problems;
    // The rows in the order shown before any sort: problems first.
    QList<int> m_order;
};

// The rows the filter box and the unchanged box let through. The list's own
// order, problems first, stays until a heading is clicked.
class ProblemsFilter : public QSortFilterProxyModel
{
public:
    ProblemsFilter(ProblemsModel *files, QObject *parent)
        : QSortFilterProxyModel(parent)
        , m_files(files)
    {
        setSourceModel(files);
        setSortCaseSensitivity(Qt::CaseInsensitive);
    }

    void setShowUnchanged(bool show)
    {
        m_showUnchanged = show;
        invalidateFilter();
    }
    void setText(const QString &text)
    {
        m_text = text;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &) const override
    {
        const SimulatedProblem &file = m_files->problem(row);
        if (!m_showUnchanged && file.file.outcome == SimulatedOutcome::Unchanged)
            return false;
        if (m_text.isEmpty())
            return true;
        for (const QString &field : {file.folderPath, file.oldName, file.newName, file.reason}) {
            if (displayFileName(field).contains(m_text, Qt::CaseInsensitive))
                return true;
        }
        return false;
    }

private:
    ProblemsModel *m_files;
    bool m_showUnchanged = false;
    QString m_text;
};

} // namespace

PreviewProblemsDialog::PreviewProblemsDialog(const QList<SimulatedProblem> &problems, const QString &summary,
                                             QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgPreviewProblems"));
    setWindowTitle(tr("Files that will not be renamed"));
    auto *heading = new QLabel(summary, this);
    heading->setObjectName(QStringLiteral("lblProblemsSummary"));
    heading->setWordWrap(true);

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("txtProblemsFilter"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setPlaceholderText(tr("Part of a folder, a name or a reason"));
    m_filter->setAccessibleName(tr("Filter"));
    auto *filterLabel = new QLabel(tr("&Filter:"), this);
    filterLabel->setBuddy(m_filter);
    m_showUnchanged = new QCheckBox(tr("Show &unchanged files"), this);
    m_showUnchanged->setObjectName(QStringLiteral("chkShowUnchanged"));

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblPreviewProblems"));
    m_table->setAccessibleName(tr("Files that will not be renamed"));
    auto *files = new ProblemsModel(problems, m_table);
    auto *proxy = new ProblemsFilter(files, m_table);
    m_table->setModel(proxy);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    // Rows of one height need no measuring, however many there are.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setWordWrap(false);
    // A deep folder keeps its start and its end in view; its tooltip has it whole.
    m_table->setTextElideMode(Qt::ElideMiddle);
    QHeaderView *header = m_table->horizontalHeader();
    // No column is sorted at first, and a third click on a heading goes back to that order.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSortIndicatorClearable(true);
    m_table->setSortingEnabled(true);
    const int em = fontMetrics().horizontalAdvance(u'M');
    m_table->setColumnWidth(OldNameColumn, 12 * em);
    m_table->setColumnWidth(NewNameColumn, 12 * em);

    connect(m_filter, &QLineEdit::textChanged, proxy, &ProblemsFilter::setText);
    connect(m_showUnchanged, &QCheckBox::toggled, proxy, &ProblemsFilter::setShowUnchanged);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(m_filter, 1);
    filterRow->addWidget(m_showUnchanged);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(filterRow);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    setTabOrder(m_table, m_filter);
    setTabOrder(m_filter, m_showUnchanged);
    fitReasons(problems);

    // The list opens on its first row, where a screen reader starts reading.
    m_table->setFocus();
    if (proxy->rowCount() > 0)
        m_table->setCurrentIndex(proxy->index(0, OldNameColumn));
}

QString PreviewProblemsDialog::rowText(const SimulatedProblem &problem)
{
    const QString newName = problem.newName.isEmpty() ? tr("no new name") : displayFileName(problem.newName);
    return QStringLiteral("%1, %2, %3").arg(displayFileName(problem.oldName), newName, problem.reason);
}

void PreviewProblemsDialog::fitReasons(const QList<SimulatedProblem> &problems)
{
    // A handful of reasons, each told once, however many files share them.
    QSet<QString> reasons;
    for (const SimulatedProblem &problem : problems)
        reasons.insert(problem.reason);
    const QFontMetrics metrics = m_table->fontMetrics();
    int reasonWidth = metrics.horizontalAdvance(tr("Reason"));
    for (const QString &reason : std::as_const(reasons))
        reasonWidth = std::max(reasonWidth, metrics.horizontalAdvance(reason));
    // The reasons keep their whole width; the folder, cut in the middle, takes what is left.
    const int margins = 2 * m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
    m_table->setColumnWidth(ReasonColumn, reasonWidth + margins);
    QHeaderView *header = m_table->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(FolderColumn, QHeaderView::Stretch);
    int width = 12 * metrics.horizontalAdvance(u'M') + 60; // the folder at its least, the frames and the scroll bar
    for (int column = OldNameColumn; column <= ReasonColumn; ++column)
        width += m_table->columnWidth(column);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const int widest = screen ? screen->availableGeometry().width() * 9 / 10 : width;
    const int shown = std::clamp(width, 760, std::max(760, widest));
    // On a narrow screen the names give up room first, so that the folder still shows its ends.
    if (const int shortBy = width - shown; shortBy > 0) {
        const int least = 6 * metrics.horizontalAdvance(u'M');
        for (int column : {OldNameColumn, NewNameColumn})
            m_table->setColumnWidth(column, std::max(least, m_table->columnWidth(column) - (shortBy + 1) / 2));
    }
    resize(shown, 420);
}

} // namespace kestrava
