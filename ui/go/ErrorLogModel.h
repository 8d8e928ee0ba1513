// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace kestrava {

/// The error texts of a run, oldest first, for the Go tab's error list. Texts
/// are taken one by one as the run logs them but reach the view in batches, so
/// a run with an error per file does not update the view per file.
class ErrorLogModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ErrorLogModel(QObject *parent = nullptr);

    /// Takes \a text; the view sees it at the next flush().
    void append(const QString &text);
    /// Shows the texts taken since the last flush.
    void flush();
    /// Forgets every text.
    void clear();
    /// Every text taken, shown or not.
    qsizetype count() const { return m_texts.size(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_texts;
    int m_shown = 0;
};

} // namespace kestrava
