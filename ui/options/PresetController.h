// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PresetFormat.h"

#include <QObject>
#include <QString>

#include <optional>

namespace kestrava {

class ErrorReporter;
class MoreOptionsDialog;
class OptionsPage;
class Prompt;

/// The "Presets" group of the More Options dialog: chooses a preset, which sets
/// every option of the Set Options tab and of the dialog, saves the options as
/// a preset and deletes one. The list shows the chosen preset with a "*" after
/// its name while the options differ from it.
class PresetController : public QObject
{
    Q_OBJECT

public:
    /// Works the preset controls of \a dialog and the options of \a page and
    /// \a dialog, which must outlive it; asks through \a prompt and reports to
    /// \a reporter, replaceable later.
    PresetController(OptionsPage *page, MoreOptionsDialog *dialog, Prompt *prompt, ErrorReporter *reporter,
                     QObject *parent = nullptr);

    void setPrompt(Prompt *prompt) { m_prompt = prompt; }
    void setErrorReporter(ErrorReporter *reporter) { m_reporter = reporter; }

    /// The options of the tab and the dialog, all of them, as a preset holds them.
    presets::PresetValues values() const;
    /// Sets every option of the tab and the dialog to \a values.
    void apply(const presets::PresetValues &values);

    /// The chosen preset's name; empty for "(none)".
    QString chosenPreset() const { return m_chosen; }
    /// Chooses the preset \a name as choosing it in the list does; empty
    /// chooses "(none)", which leaves the options as they are.
    void choose(const QString &name);
    /// Lists the presets again, keeping the chosen one when it is still there.
    void fillList();

Q_SIGNALS:
    /// The list shows \a shownName: the chosen preset's name, with a "*" while
    /// the options differ from it; empty for "(none)".
    void presetShown(const QString &shownName);

private:
    void saveAs();
    void deleteChosen();
    /// Shows the chosen entry with or without its "*".
    void markChanges();

    OptionsPage *m_page;
    MoreOptionsDialog *m_dialog;
    Prompt *m_prompt;
    ErrorReporter *m_reporter;
    QString m_chosen;
    /// The file text of the chosen preset as last read or saved, to compare with.
    QByteArray m_chosenText;
    bool m_applying = false;
};

} // namespace kestrava
