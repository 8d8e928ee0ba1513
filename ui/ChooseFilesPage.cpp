#include "ChooseFilesPage.h"

namespace kestrava {

ChooseFilesPage::ChooseFilesPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChooseFilesPage"));
    buildLayout();
}

} // namespace kestrava
