#pragma once

#include "NameCounters.h"
#include "RenameError.h"
#include "RenameOptions.h"
#include "SystemRunClock.h"

#include <QDate>
#include <QWidget>

#include <expected>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava {

/// Tab 1, "Set Options...": the renaming rules, the Reset button and the four sample
/// names that show the rules' effect. The page keeps its controls consistent,
/// corrects the numeric fields and owns the two name counters of the previews.
class OptionsPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsPage(QWidget *parent = nullptr);

    /// The options as the controls hold them now. A check box counts only when
    /// fully checked; a date format is the text of the list's selected entry.
    /// A box's companion field is read only while the box is on; otherwise it
    /// keeps the record's start value, which no computation then reads.
    RenameOptions currentOptions() const;
    /// The texts of the two counter start fields, as a series of names loads them.
    QString prefixCountText() const;
    QString postfixCountText() const;
    /// The window's `intPrefixCounter` and `intPostfixCounter`, used by the previews.
    NameCounters &counters() { return m_counters; }
    const NameCounters &counters() const { return m_counters; }
    /// Loads both counters from their start fields; unusable text reads as 1.
    void loadCounters();
    /// The date the date stamps show: today by the page's clock.
    QDate today() const;
    /// Uses \a clock for today's date (nullptr: the system clock). The clock
    /// must outlive the page or be replaced first.
    void setClock(const RunClock *clock);

    /// The new name of \a oldName (no folder) under the options as they are now,
    /// advancing the page's counters for the counter stamps that are on.
    std::expected<QString, RenameError> BuildNewFilename(const QString &oldName);

    /// Loads the counters and shows the new names of the four sample names.
    void ShowSampleMask();
    /// Puts back the default options, refreshes the samples and zeroes the counters.
    void cmdReset_Click();

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

    QLabel *Label2() const { return m_Label2; }
    QPushButton *cmdReset() const { return m_cmdReset; }
    QGroupBox *framOptions() const { return m_framOptions; }
    QRadioButton *optIgnoreSpaces() const { return m_optIgnoreSpaces; }
    QRadioButton *optRemoveSpaces() const { return m_optRemoveSpaces; }
    QRadioButton *optSpacesToUnderscores() const { return m_optSpacesToUnderscores; }
    QRadioButton *optSpacesToDashes() const { return m_optSpacesToDashes; }
    QRadioButton *optSpacesToDots() const { return m_optSpacesToDots; }
    QRadioButton *optIgnoreUnderscores() const { return m_optIgnoreUnderscores; }
    QRadioButton *optRemoveUnderscores() const { return m_optRemoveUnderscores; }
    QRadioButton *optUnderscoresToSpaces() const { return m_optUnderscoresToSpaces; }
    QRadioButton *optUnderscoresToDashes() const { return m_optUnderscoresToDashes; }
    QRadioButton *optUnderscoresToDots() const { return m_optUnderscoresToDots; }
    QCheckBox *chkPrefixName() const { return m_chkPrefixName; }
    QLineEdit *txtPrefixText() const { return m_txtPrefixText; }
    QCheckBox *chkPrefixCounter() const { return m_chkPrefixCounter; }
    QLineEdit *txtPrefixCount() const { return m_txtPrefixCount; }
    QCheckBox *chkPrefixDate() const { return m_chkPrefixDate; }
    QComboBox *cmbDatePrefix() const { return m_cmbDatePrefix; }
    QCheckBox *chkPostfixName() const { return m_chkPostfixName; }
    QLineEdit *txtPostfixText() const { return m_txtPostfixText; }
    QCheckBox *chkPostfixCounter() const { return m_chkPostfixCounter; }
    QLineEdit *txtPostfixCount() const { return m_txtPostfixCount; }
    QCheckBox *chkPostfixDate() const { return m_chkPostfixDate; }
    QComboBox *cmbDatePostfix() const { return m_cmbDatePostfix; }
    QRadioButton *optIgnoreCase() const { return m_optIgnoreCase; }
    QRadioButton *optConvertCapitalise() const { return m_optConvertCapitalise; }
    QRadioButton *optConvertLowercase() const { return m_optConvertLowercase; }
    QRadioButton *optConvertUppercase() const { return m_optConvertUppercase; }
    QLineEdit *txtFindText() const { return m_txtFindText; }
    QLineEdit *txtReplaceText() const { return m_txtReplaceText; }
    QCheckBox *chkTrimFilename() const { return m_chkTrimFilename; }
    QLineEdit *txtTrimLength() const { return m_txtTrimLength; }
    QCheckBox *chkRemoveTildas() const { return m_chkRemoveTildas; }
    QLabel *lblPreview1() const { return m_lblPreview1; }
    QLabel *lblPreview1New() const { return m_lblPreview1New; }
    QLabel *lblPreview2() const { return m_lblPreview2; }
    QLabel *lblPreview2New() const { return m_lblPreview2New; }
    QLabel *lblPreview3() const { return m_lblPreview3; }
    QLabel *lblPreview3New() const { return m_lblPreview3New; }
    QLabel *lblPreview4() const { return m_lblPreview4; }
    QLabel *lblPreview4New() const { return m_lblPreview4New; }
    QLabel *imgArrow1() const { return m_imgArrow1; }

Q_SIGNALS:
    /// Emitted at the end of every refresh of the four samples.
    void sampleMaskShown();

protected:
    /// Runs the LostFocus handlers of the text fields.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Creates the controls from the page's layout table (OptionsPageLayout.cpp).
    void buildLayout();
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
    SystemRunClock m_systemClock;
    const RunClock *m_clock = &m_systemClock;

    QLabel *m_Label2 = nullptr;
    QPushButton *m_cmdReset = nullptr;
    QGroupBox *m_framOptions = nullptr;
    QRadioButton *m_optIgnoreSpaces = nullptr;
    QRadioButton *m_optRemoveSpaces = nullptr;
    QRadioButton *m_optSpacesToUnderscores = nullptr;
    QRadioButton *m_optSpacesToDashes = nullptr;
    QRadioButton *m_optSpacesToDots = nullptr;
    QRadioButton *m_optIgnoreUnderscores = nullptr;
    QRadioButton *m_optRemoveUnderscores = nullptr;
    QRadioButton *m_optUnderscoresToSpaces = nullptr;
    QRadioButton *m_optUnderscoresToDashes = nullptr;
    QRadioButton *m_optUnderscoresToDots = nullptr;
    QCheckBox *m_chkPrefixName = nullptr;
    QLineEdit *m_txtPrefixText = nullptr;
    QCheckBox *m_chkPrefixCounter = nullptr;
    QLineEdit *m_txtPrefixCount = nullptr;
    QCheckBox *m_chkPrefixDate = nullptr;
    QComboBox *m_cmbDatePrefix = nullptr;
    QCheckBox *m_chkPostfixName = nullptr;
    QLineEdit *m_txtPostfixText = nullptr;
    QCheckBox *m_chkPostfixCounter = nullptr;
    QLineEdit *m_txtPostfixCount = nullptr;
    QCheckBox *m_chkPostfixDate = nullptr;
    QComboBox *m_cmbDatePostfix = nullptr;
    QRadioButton *m_optIgnoreCase = nullptr;
    QRadioButton *m_optConvertCapitalise = nullptr;
    QRadioButton *m_optConvertLowercase = nullptr;
    QRadioButton *m_optConvertUppercase = nullptr;
    QLineEdit *m_txtFindText = nullptr;
    QLineEdit *m_txtReplaceText = nullptr;
    QCheckBox *m_chkTrimFilename = nullptr;
    QLineEdit *m_txtTrimLength = nullptr;
    QCheckBox *m_chkRemoveTildas = nullptr;
    QLabel *m_lblPreview1 = nullptr;
    QLabel *m_lblPreview1New = nullptr;
    QLabel *m_lblPreview2 = nullptr;
    QLabel *m_lblPreview2New = nullptr;
    QLabel *m_lblPreview3 = nullptr;
    QLabel *m_lblPreview3New = nullptr;
    QLabel *m_lblPreview4 = nullptr;
    QLabel *m_lblPreview4New = nullptr;
    QLabel *m_imgArrow1 = nullptr;
};

} // namespace kestrava
