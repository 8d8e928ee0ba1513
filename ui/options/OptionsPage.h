// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NameCounters.h"
#include "PresetFormat.h"
#include "RenameError.h"
#include "RenameOptions.h"
#include "RunClock.h"

#include <QDate>
#include <QWidget>

#include <array>
#include <expected>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava {

class MoreOptionsDialog;

namespace Ui {

/// The controls of the options page that its code works with, found by name
/// once the layout table has created them (OptionsPageLayout.cpp).
struct OptionsPage
{
    QPushButton *cmdMoreOptions = nullptr;
    QPushButton *cmdReset = nullptr;
    QRadioButton *optIgnoreSpaces = nullptr;
    QRadioButton *optRemoveSpaces = nullptr;
    QRadioButton *optSpacesToUnderscores = nullptr;
    QRadioButton *optSpacesToDashes = nullptr;
    QRadioButton *optSpacesToDots = nullptr;
    QRadioButton *optIgnoreUnderscores = nullptr;
    QRadioButton *optRemoveUnderscores = nullptr;
    QRadioButton *optUnderscoresToSpaces = nullptr;
    QRadioButton *optUnderscoresToDashes = nullptr;
    QRadioButton *optUnderscoresToDots = nullptr;
    QRadioButton *optIgnoreCase = nullptr;
    QRadioButton *optConvertCapitalise = nullptr;
    QRadioButton *optConvertLowercase = nullptr;
    QRadioButton *optConvertUppercase = nullptr;
    QCheckBox *chkPrefixName = nullptr;
    QLineEdit *txtPrefixText = nullptr;
    QCheckBox *chkPrefixCounter = nullptr;
    QLineEdit *txtPrefixCount = nullptr;
    QCheckBox *chkPrefixDate = nullptr;
    QComboBox *cmbDatePrefix = nullptr;
    QCheckBox *chkPostfixName = nullptr;
    QLineEdit *txtPostfixText = nullptr;
    QCheckBox *chkPostfixCounter = nullptr;
    QLineEdit *txtPostfixCount = nullptr;
    QCheckBox *chkPostfixDate = nullptr;
    QComboBox *cmbDatePostfix = nullptr;
    QLineEdit *txtFindText = nullptr;
    QLineEdit *txtReplaceText = nullptr;
    QCheckBox *chkTrimFilename = nullptr;
    QLineEdit *txtTrimLength = nullptr;
    QCheckBox *chkRemoveTildas = nullptr;
    /// The four sample names and, beside each, its new name.
    std::array<QLabel *, 4> lblPreview{};
    std::array<QLabel *, 4> lblPreviewNew{};
};

} // namespace Ui

/// Tab 1, "Set Options...": the renaming rules, the Reset button and the four sample
/// names that show the rules' effect. The page keeps its controls consistent,
/// corrects the numeric fields and owns the two name counters of the previews.
class OptionsPage : public QWidget
{
    Q_OBJECT

public:
    /// Reads today's date from \a clock, which must outlive the page.
    explicit OptionsPage(const RunClock &clock, QWidget *parent = nullptr);

    /// The options as the controls hold them now, the More Options dialog's
    /// too. A check box counts only when fully checked; a date format is the
    /// text of the list's selected entry. A box's companion field is read only
    /// while the box is on; otherwise it keeps the record's start value, which
    /// no computation then reads.
    RenameOptions currentOptions() const;
    /// Every option of the tab and the More Options dialog, as a preset keeps them.
    presets::PresetValues presetValues() const;
    /// Sets every option of the tab and the dialog to \a values and shows the samples.
    void applyPreset(const presets::PresetValues &values);
    /// The More Options dialog, which `cmdMoreOptions` opens. It lives as long
    /// as the page, shown or not.
    MoreOptionsDialog *moreOptions() const { return m_moreOptions; }
    /// The texts of the two counter start fields, as a series of names loads them.
    QString prefixCountText() const;
    QString postfixCountText() const;
    /// The window's `intPrefixCounter` and `intPostfixCounter`, used by the previews.
    const NameCounters &counters() const { return m_counters; }
    /// Takes back the counters as a preview computed a part at a time leaves
    /// them, once its last name is computed: where a preview in one go would.
    void setCountersAfterPreview(const NameCounters &counters) { m_counters = counters; }
    /// Loads both counters from their start fields; unusable text reads as 1.
    void loadCounters();
    /// The date the date stamps show: today by the page's clock.
    QDate today() const;

    /// The new name of \a oldName (no folder) under the options as they are now,
    /// advancing the page's counters for the counter stamps that are on.
    std::expected<QString, RenameError> BuildNewFilename(const QString &oldName);

    /// What is wrong with the name template, "Template: ..." in the window's
    /// words; empty while the template is off or reads.
    QString currentTemplateError() const;

    /// Loads the counters and shows the new names of the four sample names.
    void ShowSampleMask();

Q_SIGNALS:
    /// Emitted at the end of every refresh of the four samples.
    void sampleMaskShown();

protected:
    /// Runs the LostFocus handlers of the text fields.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Creates the controls from the page's layout table and fills `m_ui`.
    void buildLayout();
    /// Offers the date formats in both date lists, none chosen.
    void fillDateLists();

    /// Puts back the default options, the dialog's too, refreshes the samples
    /// and zeroes the counters.
    void cmdReset_Click();
    /// Opens the More Options dialog, or brings it forward.
    void cmdMoreOptions_Click();
    // The handlers of the option controls. Each runs once for every change of its
    // control, made by the user or in code, and ends by refreshing the samples.
    void chkRemoveTildas_Click();
    void chkTrimFilename_Click();
    void chkPrefixName_Click();
    void chkPostfixName_Click();
    void chkPrefixCounter_Click();
    void chkPostfixCounter_Click();
    void chkPrefixDate_Click();
    void chkPostfixDate_Click();
    void cmbDatePrefix_Click();
    void cmbDatePostfix_Click();
    /// The click handling of the fourteen case, space and underscore buttons,
    /// which differ in nothing but the button; Reset calls the first directly.
    void optIgnoreSpaces_Click();
    void optionButton_Click();
    void txtFindText_Change();
    void txtReplaceText_Change();
    void txtFindText_LostFocus();
    void txtReplaceText_LostFocus();
    void txtPrefixText_Change();
    void txtPostfixText_Change();
    /// The counter field rule: blank, non-numeric or below 1 becomes "0001".
    void txtPrefixCount_LostFocus();
    void txtPostfixCount_LostFocus();
    /// The trim length rule: blank becomes "50", non-numeric or 8 and less "8".
    void txtTrimLength_LostFocus();

    /// The selected button of each option group, as the computation reads it.
    CaseConversion chosenCase() const;
    UnderscoreConversion chosenUnderscores() const;
    SpaceConversion chosenSpaces() const;
    /// Connects every option control to its handler.
    void connectHandlers();
    void connectOptionButtons();
    /// The shared steps of the counter field rule; returns the corrected value.
    qint16 correctCountField(QLineEdit *field);
    /// Ticking or unticking a date box: "dd-mm-yy" chosen, the list shown or hidden.
    void dateBoxClicked(const QCheckBox *box, QComboBox *list);

    NameCounters m_counters;
    const RunClock &m_clock;
    MoreOptionsDialog *m_moreOptions = nullptr;

    Ui::OptionsPage m_ui;
};

} // namespace kestrava
