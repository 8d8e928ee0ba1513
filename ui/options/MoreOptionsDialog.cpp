// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoreOptionsDialog.h"

#include "FieldCorrections.h"
#include "KeyPressFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kestrava {

MoreOptionsDialog::MoreOptionsDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgMoreOptions"));
    setWindowTitle(tr("More Options"));
    setModal(false);
    buildLayout();
    connectHandlers();
}

NumberingOptions MoreOptionsDialog::numbering() const
{
    NumberingOptions numbering;
    numbering.order = NumberOrder(std::max(0, m_ui.cmbNumberOrder->currentIndex()));
    numbering.reverse = m_ui.chkNumberReverse->isChecked();
    numbering.step = counterStepValue(m_ui.txtCounterStep->text());
    numbering.digits = counterDigitsValue(m_ui.txtCounterDigits->text());
    numbering.perFolder = m_ui.chkCounterPerFolder->isChecked();
    return numbering;
}

void MoreOptionsDialog::setNumbering(const NumberingOptions &numbering)
{
    m_ui.cmbNumberOrder->setCurrentIndex(int(numbering.order));
    m_ui.chkNumberReverse->setChecked(numbering.reverse);
    m_ui.txtCounterStep->setText(QString::number(numbering.step));
    m_ui.txtCounterDigits->setText(QString::number(numbering.digits));
    m_ui.chkCounterPerFolder->setChecked(numbering.perFolder);
}

void MoreOptionsDialog::readDatesAndTemplate(RenameOptions &options) const
{
    options.dateSource = DateSource(std::max(0, m_ui.cmbDateSource->currentIndex()));
    options.dateFallback = m_ui.chkDateFallback->isChecked();
    options.useTemplate = m_ui.chkTemplate->isChecked();
    if (options.useTemplate)
        options.nameTemplate = m_ui.txtTemplate->text();
}

void MoreOptionsDialog::setDatesAndTemplate(const RenameOptions &options)
{
    m_ui.cmbDateSource->setCurrentIndex(int(options.dateSource));
    m_ui.chkDateFallback->setChecked(options.dateFallback);
    m_ui.txtTemplate->setText(options.nameTemplate);
    m_ui.chkTemplate->setChecked(options.useTemplate);
}

void MoreOptionsDialog::showTemplateError(const QString &error)
{
    if (error.isEmpty())
        return;
    for (QLabel *label : m_ui.lblSampleNew) {
        label->setText(error);
        label->setToolTip(error);
    }
}

void MoreOptionsDialog::readFindRules(RenameOptions &options) const
{
    options.findRegex = m_ui.chkFindRegex->isChecked();
    options.findMatchCase = m_ui.chkFindMatchCase->isChecked();
    options.whenTaken = WhenTaken(std::max(0, m_ui.cmbWhenTaken->currentIndex()));
}

void MoreOptionsDialog::setFindRules(const RenameOptions &options)
{
    m_ui.chkFindRegex->setChecked(options.findRegex);
    m_ui.chkFindMatchCase->setChecked(options.findMatchCase);
    m_ui.cmbWhenTaken->setCurrentIndex(int(options.whenTaken));
}

void MoreOptionsDialog::reset()
{
    // The changes below stay untold: Reset refreshes the samples once for the
    // whole window.
    const QSignalBlocker blocker(this);
    setFindRules(RenameOptions());
    const NumberingOptions defaults;
    m_ui.cmbNumberOrder->setCurrentIndex(int(defaults.order));
    m_ui.chkNumberReverse->setChecked(defaults.reverse);
    m_ui.txtCounterStep->setText(limits::defaultCounterStepText.toString());
    m_ui.txtCounterDigits->setText(limits::defaultCounterDigitsText.toString());
    m_ui.chkCounterPerFolder->setChecked(defaults.perFolder);
    setDatesAndTemplate(RenameOptions());
}

void MoreOptionsDialog::showSamples(const std::array<QString, 4> &names, const std::array<QString, 4> &newNames)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        m_ui.lblSample[i]->setText(names[i]);
        m_ui.lblSampleNew[i]->setText(newNames[i]);
        m_ui.lblSampleNew[i]->setToolTip(QString());
    }
}

void MoreOptionsDialog::bringForward()
{
    show();
    raise();
    activateWindow();
}

void MoreOptionsDialog::connectHandlers()
{
    // As on the tab, a change made in code tells of itself as a user's does.
    const auto changed = [this] { Q_EMIT optionsChanged(); };
    connect(m_ui.chkFindRegex, &QCheckBox::toggled, this, changed);
    connect(m_ui.chkFindMatchCase, &QCheckBox::toggled, this, changed);
    connect(m_ui.cmbWhenTaken, &QComboBox::currentIndexChanged, this, changed);
    connect(m_ui.cmbNumberOrder, &QComboBox::currentIndexChanged, this, changed);
    connect(m_ui.chkNumberReverse, &QCheckBox::toggled, this, changed);
    connect(m_ui.chkCounterPerFolder, &QCheckBox::toggled, this, changed);
    connect(m_ui.txtCounterStep, &QLineEdit::textChanged, this, changed);
    connect(m_ui.txtCounterDigits, &QLineEdit::textChanged, this, changed);
    connect(m_ui.cmbDateSource, &QComboBox::currentIndexChanged, this, changed);
    connect(m_ui.chkDateFallback, &QCheckBox::toggled, this, changed);
    connect(m_ui.chkTemplate, &QCheckBox::toggled, this, [this, changed](bool on) {
        m_ui.txtTemplate->setEnabled(on);
        changed();
    });
    connect(m_ui.txtTemplate, &QLineEdit::textChanged, this, changed);
    for (QLineEdit *field : {m_ui.txtCounterStep, m_ui.txtCounterDigits}) {
        KeyPressFilter::install(field, KeyPressFilter::Accept::Digits);
        field->installEventFilter(this);
    }
    // Close only hides the dialog, as Esc does.
    connect(m_ui.cmdCloseMoreOptions, &QPushButton::clicked, this, &QDialog::reject);
}

bool MoreOptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return QDialog::eventFilter(watched, event);
    // Focus that only goes to a context menu or to another window comes back
    // to the field without the user having left it.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    if (watched == m_ui.txtCounterStep)
        correctField(m_ui.txtCounterStep, &correctedStepText);
    else if (watched == m_ui.txtCounterDigits)
        correctField(m_ui.txtCounterDigits, &correctedDigitsText);
    return false;
}

void MoreOptionsDialog::hideEvent(QHideEvent *event)
{
    correctField(m_ui.txtCounterStep, &correctedStepText);
    correctField(m_ui.txtCounterDigits, &correctedDigitsText);
    QDialog::hideEvent(event);
}

void MoreOptionsDialog::correctField(QLineEdit *field, QString (*correct)(const QString &))
{
    const QString corrected = correct(field->text());
    if (corrected != field->text())
        field->setText(corrected);
}

} // namespace kestrava
