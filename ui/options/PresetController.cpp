// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetController.h"

#include "ErrorReporter.h"
#include "MoreOptionsDialog.h"
#include "OptionsPage.h"
#include "PresetStore.h"
#include "Prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScopedValueRollback>

namespace kestrava {

namespace {

/// The entry of cmbPreset that stands for no preset.
constexpr int noPreset = 0;

} // namespace

PresetController::PresetController(OptionsPage *page, MoreOptionsDialog *dialog, Prompt *prompt,
                                   ErrorReporter *reporter, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_dialog(dialog)
    , m_prompt(prompt)
    , m_reporter(reporter)
{
    const auto &ui = m_dialog->ui();
    fillList();
    connect(ui.cmbPreset, &QComboBox::activated, this, [this](int index) {
        m_reporter->runGuarded([&] { choose(index == noPreset ? QString() : m_dialog->ui().cmbPreset->itemData(index).toString()); });
    });
    connect(ui.cmdSavePreset, &QPushButton::clicked, this, [this] { m_reporter->runGuarded([this] { saveAs(); }); });
    connect(ui.cmdDeletePreset, &QPushButton::clicked, this,
            [this] { m_reporter->runGuarded([this] { deleteChosen(); }); });
    // Every change of an option, on the tab or in the dialog, refreshes the samples.
    connect(m_page, &OptionsPage::sampleMaskShown, this, &PresetController::markChanges);
    connect(m_dialog, &MoreOptionsDialog::optionsChanged, this, &PresetController::markChanges);
}

presets::PresetValues PresetController::values() const
{
    return m_page->presetValues();
}

void PresetController::apply(const presets::PresetValues &values)
{
    {
        const QScopedValueRollback<bool> applying(m_applying, true);
        m_page->applyPreset(values);
    }
    markChanges();
}

void PresetController::fillList()
{
    QComboBox *list = m_dialog->ui().cmbPreset;
    const QStringList names = presets::presetNames();
    if (!m_chosen.isEmpty() && !names.contains(m_chosen)) {
        m_chosen.clear();
        m_chosenText.clear();
    }
    list->clear();
    list->addItem(tr("(none)"));
    for (const QString &name : names)
        list->addItem(name, name);
    list->setCurrentIndex(m_chosen.isEmpty() ? noPreset : int(names.indexOf(m_chosen)) + 1);
    m_dialog->ui().cmdDeletePreset->setEnabled(!m_chosen.isEmpty());
    markChanges();
}

void PresetController::choose(const QString &name)
{
    if (name.isEmpty()) {
        m_chosen.clear();
        m_chosenText.clear();
        fillList();
        return;
    }
    const presets::ReadPreset preset = presets::loadPreset(name);
    m_chosen = name;
    apply(preset.values);
    m_chosenText = presets::toJson(values());
    fillList();
    if (!preset.problems.isEmpty())
        m_reporter->showError(
            ErrorReporter::programTitle(),
            tr("Some options of the preset \"%1\" could not be taken as they stand; they are left at their "
               "defaults or corrected:\n%2")
                .arg(name, preset.problems.join(u'\n')));
}

void PresetController::saveAs()
{
    const std::optional<QString> answer = m_prompt->askText(tr("Save Preset"), tr("Name of the preset:"), m_chosen);
    if (!answer)
        return;
    const QString name = *answer;
    if (const std::optional<QString> problem = presets::nameProblem(name)) {
        m_reporter->showError(ErrorReporter::programTitle(), *problem);
        return;
    }
    if (presets::presetExists(name) &&
        m_prompt->askYesNo(tr("Save Preset"), tr("A preset named \"%1\" exists already. Replace it?").arg(name)) !=
            PromptAnswer::Yes)
        return;
    const presets::PresetValues current = values();
    if (const auto saved = presets::savePreset(name, current); !saved) {
        m_reporter->showError(ErrorReporter::programTitle(), saved.error());
        return;
    }
    m_chosen = name;
    m_chosenText = presets::toJson(current);
    fillList();
}

void PresetController::deleteChosen()
{
    if (m_chosen.isEmpty())
        return;
    if (m_prompt->askYesNo(tr("Delete Preset"), tr("Delete the preset \"%1\"?").arg(m_chosen)) != PromptAnswer::Yes)
        return;
    if (const auto removed = presets::removePreset(m_chosen); !removed)
        m_reporter->showError(ErrorReporter::programTitle(), removed.error());
    fillList();
}

void PresetController::markChanges()
{
    QComboBox *list = m_dialog->ui().cmbPreset;
    if (m_applying)
        return;
    if (m_chosen.isEmpty() || list->currentIndex() <= noPreset) {
        Q_EMIT presetShown(QString());
        return;
    }
    const bool changed = presets::toJson(values()) != m_chosenText;
    list->setItemText(list->currentIndex(), changed ? m_chosen + u'*' : m_chosen);
    Q_EMIT presetShown(list->currentText());
}

} // namespace kestrava
