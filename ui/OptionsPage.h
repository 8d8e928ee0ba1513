#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava {

/// Tab 1, "Set Options...": the renaming rules, the Reset button and the four sample
/// names that show the rules' effect.
class OptionsPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsPage(QWidget *parent = nullptr);

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

private:
    /// Creates the controls from the page's layout table (OptionsPageLayout.cpp).
    void buildLayout();

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
