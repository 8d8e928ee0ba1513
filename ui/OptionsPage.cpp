#include "OptionsPage.h"

#include "KeyPressFilter.h"
#include "NewFilename.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kestrava {

namespace {

bool on(const QCheckBox *box)
{
    // The greyed third state counts as off, like unchecked.
    return box->checkState() == Qt::Checked;
}

} // namespace

OptionsPage::OptionsPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("OptionsPage"));
    buildLayout();
    connectHandlers();
}

RenameOptions OptionsPage::currentOptions() const
{
    // A run reads the options for every file: a companion field is read only
    // when its box is on, the only time the computation looks at it.
    RenameOptions options;
    options.removeTildas = on(m_chkRemoveTildas);
    options.prefixCounter = on(m_chkPrefixCounter);
    options.prefixName = on(m_chkPrefixName);
    if (options.prefixName)
        options.prefixText = m_txtPrefixText->text();
    options.prefixDate = on(m_chkPrefixDate);
    if (options.prefixDate)
        options.datePrefix = m_cmbDatePrefix->currentText();
    options.postfixCounter = on(m_chkPostfixCounter);
    options.postfixName = on(m_chkPostfixName);
    if (options.postfixName)
        options.postfixText = m_txtPostfixText->text();
    options.postfixDate = on(m_chkPostfixDate);
    if (options.postfixDate)
        options.datePostfix = m_cmbDatePostfix->currentText();

    options.caseConversion = chosenCase();
    options.underscores = chosenUnderscores();
    options.spaces = chosenSpaces();
    options.findText = m_txtFindText->text();
    options.replaceText = m_txtReplaceText->text();
    options.trimFilename = on(m_chkTrimFilename);
    if (options.trimFilename)
        options.trimLength = m_txtTrimLength->text();
    return options;
}

// Exactly one button of each group is selected; the tests follow the order in
// which the computation consults the buttons.

CaseConversion OptionsPage::chosenCase() const
{
    if (m_optConvertCapitalise->isChecked())
        return CaseConversion::Capitalise;
    if (m_optConvertUppercase->isChecked())
        return CaseConversion::Uppercase;
    if (m_optConvertLowercase->isChecked())
        return CaseConversion::Lowercase;
    return CaseConversion::Ignore;
}

UnderscoreConversion OptionsPage::chosenUnderscores() const
{
    if (m_optRemoveUnderscores->isChecked())
        return UnderscoreConversion::Remove;
    if (m_optUnderscoresToSpaces->isChecked())
        return UnderscoreConversion::ToSpaces;
    if (m_optUnderscoresToDashes->isChecked())
        return UnderscoreConversion::ToDashes;
    if (m_optUnderscoresToDots->isChecked())
        return UnderscoreConversion::ToDots;
    return UnderscoreConversion::Ignore;
}

SpaceConversion OptionsPage::chosenSpaces() const
{
    if (m_optRemoveSpaces->isChecked())
        return SpaceConversion::Remove;
    if (m_optSpacesToUnderscores->isChecked())
        return SpaceConversion::ToUnderscores;
    if (m_optSpacesToDashes->isChecked())
        return SpaceConversion::ToDashes;
    if (m_optSpacesToDots->isChecked())
        return SpaceConversion::ToDots;
    return SpaceConversion::Ignore;
}

QString OptionsPage::prefixCountText() const
{
    return m_txtPrefixCount->text();
}

QString OptionsPage::postfixCountText() const
{
    return m_txtPostfixCount->text();
}

void OptionsPage::loadCounters()
{
    m_counters.load(prefixCountText(), postfixCountText());
}

QDate OptionsPage::today() const
{
    return m_clock->today();
}

void OptionsPage::setClock(const RunClock *clock)
{
    m_clock = clock ? clock : &m_systemClock;
}

std::expected<QString, RenameError> OptionsPage::BuildNewFilename(const QString &oldName)
{
    return kestrava::BuildNewFilename(oldName, currentOptions(), m_counters, today());
}

void OptionsPage::connectHandlers()
{
    // toggled and textChanged fire for a change made in code just as
    // for one made by the user, which Reset relies on. The date lists use
    // activated, which only a user's choice raises, so that a date box choosing
    // "dd-mm-yy" does not refresh the samples a second time.
    connect(m_chkRemoveTildas, &QCheckBox::toggled, this, &OptionsPage::chkRemoveTildas_Click);
    connect(m_chkTrimFilename, &QCheckBox::toggled, this, &OptionsPage::chkTrimFilename_Click);
    connect(m_chkPrefixName, &QCheckBox::toggled, this, &OptionsPage::chkPrefixName_Click);
    connect(m_chkPostfixName, &QCheckBox::toggled, this, &OptionsPage::chkPostfixName_Click);
    connect(m_chkPrefixCounter, &QCheckBox::toggled, this, &OptionsPage::chkPrefixCounter_Click);
    connect(m_chkPostfixCounter, &QCheckBox::toggled, this, &OptionsPage::chkPostfixCounter_Click);
    connect(m_chkPrefixDate, &QCheckBox::toggled, this, &OptionsPage::chkPrefixDate_Click);
    connect(m_chkPostfixDate, &QCheckBox::toggled, this, &OptionsPage::chkPostfixDate_Click);
    connect(m_cmbDatePrefix, &QComboBox::activated, this, &OptionsPage::cmbDatePrefix_Click);
    connect(m_cmbDatePostfix, &QComboBox::activated, this, &OptionsPage::cmbDatePostfix_Click);
    connect(m_txtFindText, &QLineEdit::textChanged, this, &OptionsPage::txtFindText_Change);
    connect(m_txtReplaceText, &QLineEdit::textChanged, this, &OptionsPage::txtReplaceText_Change);
    connect(m_txtPrefixText, &QLineEdit::textChanged, this, &OptionsPage::txtPrefixText_Change);
    connect(m_txtPostfixText, &QLineEdit::textChanged, this, &OptionsPage::txtPostfixText_Change);
    connect(m_cmdReset, &QPushButton::clicked, this, &OptionsPage::cmdReset_Click);
    connectOptionButtons();

    for (QLineEdit *numeric : {m_txtPrefixCount, m_txtPostfixCount, m_txtTrimLength})
        KeyPressFilter::install(numeric, KeyPressFilter::Accept::Digits);
    for (QLineEdit *field : {m_txtFindText, m_txtReplaceText, m_txtPrefixCount, m_txtPostfixCount, m_txtTrimLength})
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
    whenChosen(m_optIgnoreSpaces, &OptionsPage::optIgnoreSpaces_Click);
    for (QRadioButton *button :
         {m_optRemoveSpaces, m_optSpacesToUnderscores, m_optSpacesToDashes, m_optSpacesToDots, m_optIgnoreUnderscores,
          m_optRemoveUnderscores, m_optUnderscoresToSpaces, m_optUnderscoresToDashes, m_optUnderscoresToDots,
          m_optIgnoreCase, m_optConvertUppercase, m_optConvertLowercase, m_optConvertCapitalise})
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
    if (watched == m_txtPrefixCount)
        txtPrefixCount_LostFocus();
    else if (watched == m_txtPostfixCount)
        txtPostfixCount_LostFocus();
    else if (watched == m_txtTrimLength)
        txtTrimLength_LostFocus();
    else if (watched == m_txtFindText)
        txtFindText_LostFocus();
    else if (watched == m_txtReplaceText)
        txtReplaceText_LostFocus();
    return false;
}

} // namespace kestrava
