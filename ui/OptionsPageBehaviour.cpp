// What the option controls do: the companion fields, the numeric field rules,
// Reset and the refresh of the four samples.

#include "OptionsPage.h"

#include "SpaceTrim.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>
#include <optional>
#include <utility>

namespace kestrava {

namespace {

/// The list entry a date box chooses whenever it is ticked or unticked.
constexpr int firstDateChoice = 1;

/// The value of \a text when it is 1 to \a maxDigits plain ASCII digits. Anything
/// else (signs, spaces, fractions, exponents, pasted letters) does not read as a
/// number, so the focus-loss rules replace it.
std::optional<int> plainNumber(const QString &text, qsizetype maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value;
}

/// Step one of both focus-loss rules: a blank field takes \a fallback.
void fillIfBlank(QLineEdit *field, const QString &fallback)
{
    if (withoutOuterSpaces(field->text()).isEmpty())
        field->setText(fallback);
    // Show the correction at once rather than at the next paint.
    field->repaint();
}

} // namespace

void OptionsPage::ShowSampleMask()
{
    loadCounters();
    const std::array<std::pair<QLabel *, QLabel *>, 4> samples{{
        {m_lblPreview1, m_lblPreview1New},
        {m_lblPreview2, m_lblPreview2New},
        {m_lblPreview3, m_lblPreview3New},
        {m_lblPreview4, m_lblPreview4New},
    }};
    for (const auto &[sample, result] : samples) {
        // A sample whose counter has run past 9999 has no new name: its result
        // stays empty while the others still show theirs.
        result->setText(BuildNewFilename(sample->text()).value_or(QString()));
    }
    Q_EMIT sampleMaskShown();
}

void OptionsPage::cmdReset_Click()
{
    // Every step below that changes a control runs that control's own handling,
    // so unticked boxes disable their fields and hide their lists themselves.
    m_optIgnoreSpaces->setChecked(true);
    m_optIgnoreUnderscores->setChecked(true);
    m_optIgnoreCase->setChecked(true);
    m_txtFindText->setText(QString());
    m_txtReplaceText->setText(QString());
    m_txtPrefixText->setText(QStringLiteral("File_"));
    m_txtPostfixText->setText(QStringLiteral("_File"));
    m_txtPrefixCount->setText(limits::defaultCountText.toString());
    m_txtPostfixCount->setText(limits::defaultCountText.toString());
    for (QCheckBox *box : {m_chkTrimFilename, m_chkRemoveTildas, m_chkPrefixName, m_chkPrefixCounter, m_chkPrefixDate,
                           m_chkPostfixName, m_chkPostfixCounter, m_chkPostfixDate})
        box->setChecked(false);
    optIgnoreSpaces_Click();
    m_counters.reset();
}

// The companion of a box is editable exactly while the box is ticked. Each
// handler runs once per change of its box, so following the box's state gives
// the same result as flipping the companion, and cannot drift from it.

void OptionsPage::chkTrimFilename_Click()
{
    m_txtTrimLength->setEnabled(m_chkTrimFilename->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPrefixName_Click()
{
    m_txtPrefixText->setEnabled(m_chkPrefixName->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPostfixName_Click()
{
    m_txtPostfixText->setEnabled(m_chkPostfixName->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPrefixCounter_Click()
{
    m_txtPrefixCount->setEnabled(m_chkPrefixCounter->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPostfixCounter_Click()
{
    m_txtPostfixCount->setEnabled(m_chkPostfixCounter->isChecked());
    ShowSampleMask();
}

void OptionsPage::dateBoxClicked(const QCheckBox *box, QComboBox *list)
{
    // Unticking puts "dd-mm-yy" back too, so a list always shows it when it
    // appears, whatever was chosen before.
    list->setCurrentIndex(firstDateChoice);
    list->setVisible(box->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPrefixDate_Click()
{
    dateBoxClicked(m_chkPrefixDate, m_cmbDatePrefix);
}

void OptionsPage::chkPostfixDate_Click()
{
    dateBoxClicked(m_chkPostfixDate, m_cmbDatePostfix);
}

void OptionsPage::chkRemoveTildas_Click() { ShowSampleMask(); }
void OptionsPage::cmbDatePrefix_Click() { ShowSampleMask(); }
void OptionsPage::cmbDatePostfix_Click() { ShowSampleMask(); }
void OptionsPage::optIgnoreSpaces_Click() { ShowSampleMask(); }
void OptionsPage::optionButton_Click() { ShowSampleMask(); }
void OptionsPage::txtFindText_Change() { ShowSampleMask(); }
void OptionsPage::txtReplaceText_Change() { ShowSampleMask(); }
void OptionsPage::txtFindText_LostFocus() { ShowSampleMask(); }
void OptionsPage::txtReplaceText_LostFocus() { ShowSampleMask(); }
void OptionsPage::txtPrefixText_Change() { ShowSampleMask(); }
void OptionsPage::txtPostfixText_Change() { ShowSampleMask(); }

qint16 OptionsPage::correctCountField(QLineEdit *field)
{
    fillIfBlank(field, limits::defaultCountText.toString());
    const std::optional<int> value = plainNumber(field->text(), limits::maxCountLength);
    if (!value || *value < limits::minCounterStart) {
        field->setText(limits::defaultCountText.toString());
        return limits::minCounterStart;
    }
    return qint16(*value);
}

void OptionsPage::txtPrefixCount_LostFocus()
{
    m_counters.intPrefixCounter = correctCountField(m_txtPrefixCount);
    ShowSampleMask();
}

void OptionsPage::txtPostfixCount_LostFocus()
{
    m_counters.intPostfixCounter = correctCountField(m_txtPostfixCount);
    ShowSampleMask();
}

void OptionsPage::txtTrimLength_LostFocus()
{
    fillIfBlank(m_txtTrimLength, QString::number(limits::defaultTrimLength));
    const std::optional<int> value = plainNumber(m_txtTrimLength->text(), limits::maxTrimTextLength);
    if (!value || *value <= limits::minTrimLength)
        m_txtTrimLength->setText(QString::number(limits::minTrimLength));
    ShowSampleMask();
}

} // namespace kestrava
