#include "OptionsPage.h"

namespace kestrava {

OptionsPage::OptionsPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("OptionsPage"));
    buildLayout();
}

} // namespace kestrava
