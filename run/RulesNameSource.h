// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NameCounters.h"
#include "NameSource.h"
#include "RenameError.h"
#include "RenameOptions.h"

#include <QDate>
#include <QString>

#include <functional>
#include <utility>

namespace kestrava {

/// The names of a run, for the window and the command line alike: the renaming
/// rules as they stand at each file, with counters of the run's own loaded from
/// their start texts as each run starts, so that previews during a run leave
/// its numbers alone.
class RulesNameSource : public NameSource
{
public:
    /// Where the rules come from, each asked again when it matters.
    struct Rules
    {
        /// The options, at each file: a run gives a folder's new names all
        /// before its renames, so a change made while it yields applies from
        /// the next folder on.
        std::function<RenameOptions()> options;
        /// The date the date stamps show, at each file with a date stamp on.
        std::function<QDate()> today;
        /// The texts of the two counter start fields, as each run starts.
        std::function<QString()> prefixCountText;
        std::function<QString()> postfixCountText;
    };

    explicit RulesNameSource(Rules rules);

    void beginRun() override;
    std::expected<QString, QString> newName(const QString &oldName) override;
    std::expected<QString, QString> newNameIn(const QString &folderPath, const QString &oldName) override;
    QString takeNotice() override { return std::exchange(m_notice, QString()); }
    NumberingOptions numbering() const override { return m_rules.options().numbering; }
    /// Loads the counters from their start texts again, as beginRun() does.
    void restartCounters() override;
    QString failureOfEveryName() const override;
    WhenTaken whenTaken() const override { return m_rules.options().whenTaken; }
    /// The new name of \a oldName, advancing the counters, with the failure's cause.
    std::expected<QString, RenameError> compute(const QString &oldName);
    /// The same for the file \a oldName of \a folderPath, with its facts.
    std::expected<QString, RenameError> compute(const QString &folderPath, const QString &oldName);

private:
    /// The day the date stamps show, or none when no stamp is on.
    QDate stampDay(const RenameOptions &options) const;
    /// \a name with a failure given as its text in the window's language.
    std::expected<QString, QString> withText(std::expected<QString, RenameError> name) const;

    Rules m_rules;
    NameCounters m_counters;
    // The computation's one failure in the window's language, looked up once a run.
    QString m_invalidArgumentText;
    QString m_notice;
};

} // namespace kestrava
