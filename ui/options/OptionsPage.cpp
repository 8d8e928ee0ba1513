// SPDX-License-Identifier: GPL-3.0-or-later
// The Set Options room: the page of renaming rules and its four sample names.
#include "OptionsPage.h"

#include "FieldCorrections.h"
#include "KeyPressFilter.h"
#include "MoreOptionsDialog.h"
#include "NewFilename.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace kestrava {

namespace {

bool on(const QCheckBox *box)
{
    // The greyed third state counts as off, like unchecked.
    return box->checkState() == Qt::Checked;
}

/// The list entry a date box chooses whenever it is ticked or unticked.
constexpr int firstDateChoice = 1;

} // namespace

OptionsPage::OptionsPage(const RunClock &clock, QWidget *parent)
    : QWidget(parent)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("OptionsPage"));
    buildLayout();
    // Made with the page and kept hidden, so that its rules are there to read
    // from the start; a child of the page, it goes with the window.
    m_moreOptions = new MoreOptionsDialog(this);
    connectHandlers();
}

RenameOptions OptionsPage::currentOptions() const
{
    // A run reads the options for every file: a companion field is read only
    // when its box is on, the only time the computation looks at it.
    RenameOptions options;
    options.removeTildas = on(m_ui.chkRemoveTildas);
    options.prefixCounter = on(m_ui.chkPrefixCounter);
    options.prefixName = on(m_ui.chkPrefixName);
    if (options.prefixName)
        options.prefixText = m_ui.txtPrefixText->text();
    options.prefixDate = on(m_ui.chkPrefixDate);
    if (options.prefixDate)
        options.datePrefix = m_ui.cmbDatePrefix->currentText();
    options.postfixCounter = on(m_ui.chkPostfixCounter);
    options.postfixName = on(m_ui.chkPostfixName);
    if (options.postfixName)
        options.postfixText = m_ui.txtPostfixText->text();
    options.postfixDate = on(m_ui.chkPostfixDate);
    if (options.postfixDate)
        options.datePostfix = m_ui.cmbDatePostfix->currentText();

    options.caseConversion = chosenCase();
    options.underscores = chosenUnderscores();
    options.spaces = chosenSpaces();
    options.findText = m_ui.txtFindText->text();
    options.replaceText = m_ui.txtReplaceText->text();
    options.trimFilename = on(m_ui.chkTrimFilename);
    if (options.trimFilename)
        options.trimLength = m_ui.txtTrimLength->text();
    options.numbering = m_moreOptions->numbering();
    m_moreOptions->readFindRules(options);
    m_moreOptions->readDatesAndTemplate(options);
    return options;
}

presets::PresetValues OptionsPage::presetValues() const
{
    presets::PresetValues values;
    values.options = currentOptions();
    // A preset keeps what the boxes' companions hold even while a box is off;
    // a date list counts only while shown, as it is chosen afresh when shown.
    values.options.prefixText = m_ui.txtPrefixText->text();
    values.options.postfixText = m_ui.txtPostfixText->text();
    values.options.trimLength = m_ui.txtTrimLength->text();
    values.options.nameTemplate = m_moreOptions->ui().txtTemplate->text();
    values.prefixCountText = prefixCountText();
    values.postfixCountText = postfixCountText();
    return values;
}

void OptionsPage::applyPreset(const presets::PresetValues &values)
{
    const RenameOptions &options = values.options;
    // Each change runs its control's own handling, as a user's would.
    const auto choose = [](QRadioButton *button) { button->setChecked(true); };
    using S = SpaceConversion;
    using U = UnderscoreConversion;
    using C = CaseConversion;
    const QList<QRadioButton *> spaces{m_ui.optIgnoreSpaces, m_ui.optRemoveSpaces, m_ui.optSpacesToUnderscores,
                                       m_ui.optSpacesToDashes, m_ui.optSpacesToDots};
    const QList<QRadioButton *> underscores{m_ui.optIgnoreUnderscores, m_ui.optRemoveUnderscores,
                                            m_ui.optUnderscoresToSpaces, m_ui.optUnderscoresToDashes,
                                            m_ui.optUnderscoresToDots};
    static_assert(int(S::ToDots) == 4 && int(U::ToDots) == 4);
    choose(spaces.at(int(options.spaces)));
    choose(underscores.at(int(options.underscores)));
    switch (options.caseConversion) {
    case C::Ignore:
        choose(m_ui.optIgnoreCase);
        break;
    case C::Capitalise:
        choose(m_ui.optConvertCapitalise);
        break;
    case C::Uppercase:
        choose(m_ui.optConvertUppercase);
        break;
    case C::Lowercase:
        choose(m_ui.optConvertLowercase);
        break;
    }
    m_ui.txtFindText->setText(options.findText);
    m_ui.txtReplaceText->setText(options.replaceText);
    m_ui.txtPrefixText->setText(options.prefixText);
    m_ui.txtPostfixText->setText(options.postfixText);
    m_ui.txtTrimLength->setText(options.trimLength);
    m_ui.txtPrefixCount->setText(values.prefixCountText);
    m_ui.txtPostfixCount->setText(values.postfixCountText);
    m_ui.chkRemoveTildas->setChecked(options.removeTildas);
    m_ui.chkTrimFilename->setChecked(options.trimFilename);
    m_ui.chkPrefixName->setChecked(options.prefixName);
    m_ui.chkPostfixName->setChecked(options.postfixName);
    m_ui.chkPrefixCounter->setChecked(options.prefixCounter);
    m_ui.chkPostfixCounter->setChecked(options.postfixCounter);
    // Ticking a date box chooses "dd-mm-yy"; the preset's format is chosen after.
    m_ui.chkPrefixDate->setChecked(options.prefixDate);
    m_ui.chkPostfixDate->setChecked(options.postfixDate);
    if (options.prefixDate && m_ui.cmbDatePrefix->findText(options.datePrefix) > 0)
        m_ui.cmbDatePrefix->setCurrentIndex(m_ui.cmbDatePrefix->findText(options.datePrefix));
    if (options.postfixDate && m_ui.cmbDatePostfix->findText(options.datePostfix) > 0)
        m_ui.cmbDatePostfix->setCurrentIndex(m_ui.cmbDatePostfix->findText(options.datePostfix));
    m_moreOptions->setNumbering(options.numbering);
    m_moreOptions->setFindRules(options);
    m_moreOptions->setDatesAndTemplate(options);
    ShowSampleMask();
}

// Exactly one button of each group is selected; the tests follow the order in
// which the computation consults the buttons.

CaseConversion OptionsPage::chosenCase() const
{
    if (m_ui.optConvertCapitalise->isChecked())
        return CaseConversion::Capitalise;
    if (m_ui.optConvertUppercase->isChecked())
        return CaseConversion::Uppercase;
    if (m_ui.optConvertLowercase->isChecked())
        return CaseConversion::Lowercase;
    return CaseConversion::Ignore;
}

UnderscoreConversion OptionsPage::chosenUnderscores() const
{
    if (m_ui.optRemoveUnderscores->isChecked())
        return UnderscoreConversion::Remove;
    if (m_ui.optUnderscoresToSpaces->isChecked())
        return UnderscoreConversion::ToSpaces;
    if (m_ui.optUnderscoresToDashes->isChecked())
        return UnderscoreConversion::ToDashes;
    if (m_ui.optUnderscoresToDots->isChecked())
        return UnderscoreConversion::ToDots;
    return UnderscoreConversion::Ignore;
}

SpaceConversion OptionsPage::chosenSpaces() const
{
    if (m_ui.optRemoveSpaces->isChecked())
        return SpaceConversion::Remove;
    if (m_ui.optSpacesToUnderscores->isChecked())
        return SpaceConversion::ToUnderscores;
    if (m_ui.optSpacesToDashes->isChecked())
        return SpaceConversion::ToDashes;
    if (m_ui.optSpacesToDots->isChecked())
        return SpaceConversion::ToDots;
    return SpaceConversion::Ignore;
}

QString OptionsPage::prefixCountText() const
{
    return m_ui.txtPrefixCount->text();
}

QString OptionsPage::postfixCountText() const
{
    return m_ui.txtPostfixCount->text();
}

void OptionsPage::loadCounters()
{
    m_counters.load(prefixCountText(), postfixCountText());
}

QDate OptionsPage::today() const
{
    return m_clock.today();
}

std::expected<QString, RenameError> OptionsPage::BuildNewFilename(const QString &oldName)
{
    // The samples have no file behind them: what a file would give shows as a placeholder.
    return kestrava::BuildNewFilename(oldName, currentOptions(), m_counters, today(), nullptr);
}

QString OptionsPage::currentTemplateError() const
{
    const std::optional<QString> error = nameTemplateError(currentOptions());
    return error ? tr("Template: %1").arg(*error) : QString();
}

void OptionsPage::connectHandlers()
{
    // toggled and textChanged fire for a change made in code just as
    // for one made by the user, which Reset relies on. The date lists use
    // activated, which only a user's choice raises, so that a date box choosing
    // "dd-mm-yy" does not refresh the samples a second time.
    connect(m_ui.chkRemoveTildas, &QCheckBox::toggled, this, &OptionsPage::chkRemoveTildas_Click);
    connect(m_ui.chkTrimFilename, &QCheckBox::toggled, this, &OptionsPage::chkTrimFilename_Click);
    connect(m_ui.chkPrefixName, &QCheckBox::toggled, this, &OptionsPage::chkPrefixName_Click);
    connect(m_ui.chkPostfixName, &QCheckBox::toggled, this, &OptionsPage::chkPostfixName_Click);
    connect(m_ui.chkPrefixCounter, &QCheckBox::toggled, this, &OptionsPage::chkPrefixCounter_Click);
    connect(m_ui.chkPostfixCounter, &QCheckBox::toggled, this, &OptionsPage::chkPostfixCounter_Click);
    connect(m_ui.chkPrefixDate, &QCheckBox::toggled, this, &OptionsPage::chkPrefixDate_Click);
    connect(m_ui.chkPostfixDate, &QCheckBox::toggled, this, &OptionsPage::chkPostfixDate_Click);
    connect(m_ui.cmbDatePrefix, &QComboBox::activated, this, &OptionsPage::cmbDatePrefix_Click);
    connect(m_ui.cmbDatePostfix, &QComboBox::activated, this, &OptionsPage::cmbDatePostfix_Click);
    connect(m_ui.txtFindText, &QLineEdit::textChanged, this, &OptionsPage::txtFindText_Change);
    connect(m_ui.txtReplaceText, &QLineEdit::textChanged, this, &OptionsPage::txtReplaceText_Change);
    connect(m_ui.txtPrefixText, &QLineEdit::textChanged, this, &OptionsPage::txtPrefixText_Change);
    connect(m_ui.txtPostfixText, &QLineEdit::textChanged, this, &OptionsPage::txtPostfixText_Change);
    connect(m_ui.cmdReset, &QPushButton::clicked, this, &OptionsPage::cmdReset_Click);
    connect(m_ui.cmdMoreOptions, &QPushButton::clicked, this, &OptionsPage::cmdMoreOptions_Click);
    connect(m_moreOptions, &MoreOptionsDialog::optionsChanged, this, &OptionsPage::ShowSampleMask);
    connectOptionButtons();

    for (QLineEdit *numeric : {m_ui.txtPrefixCount, m_ui.txtPostfixCount, m_ui.txtTrimLength})
        KeyPressFilter::install(numeric, KeyPressFilter::Accept::Digits);
    for (QLineEdit *field :
         {m_ui.txtFindText, m_ui.txtReplaceText, m_ui.txtPrefixCount, m_ui.txtPostfixCount, m_ui.txtTrimLength})
        field->installEventFilter(this);
}

void OptionsPage::connectOptionButtons()
{
    // A new choice in a group emits toggled twice, for the button left and the
    // button chosen; only the second runs the click handling, so one choice
    // refreshes once.
    const auto whenChosen = [this](QRadioButton *button, void (OptionsPage::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    whenChosen(m_ui.optIgnoreSpaces, &OptionsPage::optIgnoreSpaces_Click);
    for (QRadioButton *button :
         {m_ui.optRemoveSpaces, m_ui.optSpacesToUnderscores, m_ui.optSpacesToDashes, m_ui.optSpacesToDots,
          m_ui.optIgnoreUnderscores, m_ui.optRemoveUnderscores, m_ui.optUnderscoresToSpaces,
          m_ui.optUnderscoresToDashes, m_ui.optUnderscoresToDots, m_ui.optIgnoreCase, m_ui.optConvertUppercase,
          m_ui.optConvertLowercase, m_ui.optConvertCapitalise})
        whenChosen(button, &OptionsPage::optionButton_Click);
}

bool OptionsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return QWidget::eventFilter(watched, event);
    // Focus that only goes to a context menu or to another program comes back to
    // the field without the user having left it.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    if (watched == m_ui.txtPrefixCount)
        txtPrefixCount_LostFocus();
    else if (watched == m_ui.txtPostfixCount)
        txtPostfixCount_LostFocus();
    else if (watched == m_ui.txtTrimLength)
        txtTrimLength_LostFocus();
    else if (watched == m_ui.txtFindText)
        txtFindText_LostFocus();
    else if (watched == m_ui.txtReplaceText)
        txtReplaceText_LostFocus();
    return false;
}

void OptionsPage::ShowSampleMask()
{
    loadCounters();
    std::array<QString, 4> names;
    std::array<QString, 4> newNames;
    for (std::size_t i = 0; i < m_ui.lblPreview.size(); ++i) {
        // A sample whose counter has run past its digits has no new name: its
        // result stays empty while the others still show theirs. A find
        // pattern that does not compile fails every sample alike, each showing
        // why and where.
        names[i] = m_ui.lblPreview[i]->text();
        const auto newName = BuildNewFilename(names[i]);
        newNames[i] = newName ? *newName
            : newName.error().cause == RenameError::Cause::PatternError ? newName.error().message
                                                                        : QString();
        m_ui.lblPreviewNew[i]->setText(newNames[i]);
    }
    m_moreOptions->showSamples(names, newNames);
    // A template that cannot be read gives no sample a name: what is wrong
    // with it shows in their place, on the tab and in the dialog.
    const QString templateError = currentTemplateError();
    for (QLabel *label : m_ui.lblPreviewNew) {
        if (!templateError.isEmpty())
            label->setText(templateError);
        label->setToolTip(templateError);
    }
    m_moreOptions->showTemplateError(templateError);
    Q_EMIT sampleMaskShown();
}

void OptionsPage::cmdMoreOptions_Click()
{
    m_moreOptions->bringForward();
}

void OptionsPage::cmdReset_Click()
{
    // Every step below that changes a control runs that control's own handling,
    // so unticked boxes disable their fields and hide their lists themselves.
    m_ui.optIgnoreSpaces->setChecked(true);
    m_ui.optIgnoreUnderscores->setChecked(true);
    m_ui.optIgnoreCase->setChecked(true);
    m_ui.txtFindText->setText(QString());
    m_ui.txtReplaceText->setText(QString());
    const RenameOptions defaults;
    m_ui.txtPrefixText->setText(defaults.prefixText);
    m_ui.txtPostfixText->setText(defaults.postfixText);
    m_ui.txtPrefixCount->setText(limits::defaultCountText.toString());
    m_ui.txtPostfixCount->setText(limits::defaultCountText.toString());
    for (QCheckBox *box : {m_ui.chkTrimFilename, m_ui.chkRemoveTildas, m_ui.chkPrefixName, m_ui.chkPrefixCounter,
                           m_ui.chkPrefixDate, m_ui.chkPostfixName, m_ui.chkPostfixCounter, m_ui.chkPostfixDate})
        box->setChecked(false);
    m_moreOptions->reset();
    optIgnoreSpaces_Click();
    m_counters.reset();
}

// The companion of a box is editable exactly while the box is ticked. Each
// handler runs once per change of its box, so following the box's state gives
// the same result as flipping the companion, and cannot drift from it.

void OptionsPage::chkTrimFilename_Click()
{
    m_ui.txtTrimLength->setEnabled(m_ui.chkTrimFilename->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPrefixName_Click()
{
    m_ui.txtPrefixText->setEnabled(m_ui.chkPrefixName->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPostfixName_Click()
{
    m_ui.txtPostfixText->setEnabled(m_ui.chkPostfixName->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPrefixCounter_Click()
{
    m_ui.txtPrefixCount->setEnabled(m_ui.chkPrefixCounter->isChecked());
    ShowSampleMask();
}

void OptionsPage::chkPostfixCounter_Click()
{
    m_ui.txtPostfixCount->setEnabled(m_ui.chkPostfixCounter->isChecked());
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
    dateBoxClicked(m_ui.chkPrefixDate, m_ui.cmbDatePrefix);
}

void OptionsPage::chkPostfixDate_Click()
{
    dateBoxClicked(m_ui.chkPostfixDate, m_ui.cmbDatePostfix);
}

void OptionsPage::chkRemoveTildas_Click()
{
    ShowSampleMask();
}
void OptionsPage::cmbDatePrefix_Click()
{
    ShowSampleMask();
}
void OptionsPage::cmbDatePostfix_Click()
{
    ShowSampleMask();
}
void OptionsPage::optIgnoreSpaces_Click()
{
    ShowSampleMask();
}
void OptionsPage::optionButton_Click()
{
    ShowSampleMask();
}
void OptionsPage::txtFindText_Change()
{
    ShowSampleMask();
}
void OptionsPage::txtReplaceText_Change()
{
    ShowSampleMask();
}
void OptionsPage::txtFindText_LostFocus()
{
    ShowSampleMask();
}
void OptionsPage::txtReplaceText_LostFocus()
{
    ShowSampleMask();
}
void OptionsPage::txtPrefixText_Change()
{
    ShowSampleMask();
}
void OptionsPage::txtPostfixText_Change()
{
    ShowSampleMask();
}

qint16 OptionsPage::correctCountField(QLineEdit *field)
{
    const QString corrected = correctedCountText(field->text());
    if (corrected != field->text()) {
        field->setText(corrected);
        // Show the correction at once rather than at the next paint.
        field->repaint();
    }
    return qint16(*plainNumber(corrected, limits::maxCountLength));
}

void OptionsPage::txtPrefixCount_LostFocus()
{
    m_counters.intPrefixCounter = correctCountField(m_ui.txtPrefixCount);
    ShowSampleMask();
}

void OptionsPage::txtPostfixCount_LostFocus()
{
    m_counters.intPostfixCounter = correctCountField(m_ui.txtPostfixCount);
    ShowSampleMask();
}

void OptionsPage::txtTrimLength_LostFocus()
{
    const QString corrected = correctedTrimText(m_ui.txtTrimLength->text());
    if (corrected != m_ui.txtTrimLength->text()) {
        m_ui.txtTrimLength->setText(corrected);
        m_ui.txtTrimLength->repaint();
    }
    ShowSampleMask();
}

} // namespace kestrava
