// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameOptions.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrava {

namespace Ui {

/// The controls of the More Options dialog that its code works with, found by
/// name once the layout tables have created them (MoreOptionsDialogLayout.cpp).
struct MoreOptionsDialog
{
    // Presets
    QComboBox *cmbPreset = nullptr;
    QPushButton *cmdSavePreset = nullptr;
    QPushButton *cmdDeletePreset = nullptr;
    QCheckBox *chkRememberOptions = nullptr;
    // Find and replace
    QCheckBox *chkFindRegex = nullptr;
    QCheckBox *chkFindMatchCase = nullptr;
    QComboBox *cmbWhenTaken = nullptr;
    // Numbering
    QComboBox *cmbNumberOrder = nullptr;
    QCheckBox *chkNumberReverse = nullptr;
    QLineEdit *txtCounterStep = nullptr;
    QLineEdit *txtCounterDigits = nullptr;
    QCheckBox *chkCounterPerFolder = nullptr;
    // Dates
    QComboBox *cmbDateSource = nullptr;
    QCheckBox *chkDateFallback = nullptr;
    // Template
    QCheckBox *chkTemplate = nullptr;
    QLineEdit *txtTemplate = nullptr;
    // The samples, as the Set Options tab shows them.
    std::array<QLabel *, 4> lblSample{};
    std::array<QLabel *, 4> lblSampleNew{};
    QPushButton *cmdCloseMoreOptions = nullptr;
};

} // namespace Ui

/// "More Options": the renaming rules that do not fit on the Set Options tab,
/// in groups stacked from top to bottom, and the four sample names beside them.
/// It is not modal and has no OK: each change takes effect at once, and the
/// Set Options tab reads the dialog's rules whenever it reads its own. Close
/// and Esc only hide it, so the rules stay until Reset.
class MoreOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MoreOptionsDialog(QWidget *parent = nullptr);

    const Ui::MoreOptionsDialog &ui() const { return m_ui; }

    /// The numbering as the controls hold it, the fields read as leaving them
    /// would correct them.
    NumberingOptions numbering() const;
    /// Sets the numbering controls to \a numbering.
    void setNumbering(const NumberingOptions &numbering);
    /// Copies the Dates and Template groups' rules into \a options: where the
    /// dates come from, the fallback, and the template while it is on.
    void readDatesAndTemplate(RenameOptions &options) const;
    /// Sets the Dates and Template groups' controls to the rules of \a options.
    void setDatesAndTemplate(const RenameOptions &options);
    /// Shows \a error, what is wrong with the template, in the samples'
    /// place of the new names; nothing there for a template that reads.
    void showTemplateError(const QString &error);
    /// Puts the dialog's find and replace rules (a regular expression, match
    /// case, what a taken name does) into \a options.
    void readFindRules(RenameOptions &options) const;
    /// Sets the find and replace controls to the rules of \a options.
    void setFindRules(const RenameOptions &options);
    /// Every control of the dialog back to its start value.
    void reset();
    /// Shows the four sample names and, beside each, its new name.
    void showSamples(const std::array<QString, 4> &names, const std::array<QString, 4> &newNames);
    /// Shows the dialog, or brings it forward when it is open already.
    void bringForward();

Q_SIGNALS:
    /// A rule of the dialog has changed, by the user or by reset().
    void optionsChanged();

protected:
    /// Corrects the numeric fields as they lose the focus.
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Corrects the numeric fields as the dialog goes away with one of them in hand.
    void hideEvent(QHideEvent *event) override;

private:
    /// Creates the groups from their layout tables, stacks them and fills `m_ui`.
    void buildLayout();
    void connectHandlers();
    /// Puts the corrected text into \a field when leaving it changes it.
    void correctField(QLineEdit *field, QString (*correct)(const QString &));

    Ui::MoreOptionsDialog m_ui;
};

} // namespace kestrava
