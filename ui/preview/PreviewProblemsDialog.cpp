#include "PreviewProblemsDialog.h"

#include "FileNameBytes.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace kestrava {

namespace {

// The files as rows, read straight from the list: a tree of 100,000 problem
// files makes no item per cell.
class ProblemsModel : public QAbstractTableModel
{
public:
    ProblemsModel(const QList<SimulatedProblem> &problems, QObject *parent)
        : QAbstractTableModel(parent)
        , m_problems(problems)
    {}

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(m_problems.size()); }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 4; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return QVariant();
        const SimulatedProblem &problem = m_problems.at(index.row());
        switch (index.column()) {
        case 0:
            return displayFileName(problem.folderPath);
        case 1:
            return displayFileName(problem.oldName);
        case 2:
            return displayFileName(problem.newName);
        default:
            return problem.reason;
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        switch (section) {
        case 0:
            return PreviewProblemsDialog::tr("Folder");
        case 1:
            return PreviewProblemsDialog::tr("Old name");
        case 2:
            return PreviewProblemsDialog::tr("New name");
        default:
            return PreviewProblemsDialog::tr("Reason");
        }
    }

private:
    QList<SimulatedProblem> m_problems;
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
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblPreviewProblems"));
    m_table->setAccessibleName(tr("Files that will not be renamed"));
    m_table->setModel(new ProblemsModel(problems, m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Rows of one height need no measuring, however many there are.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setWordWrap(false);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(760, 420);
}

} // namespace kestrava
