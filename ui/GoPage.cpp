#include "GoPage.h"

namespace kestrava {

GoPage::GoPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("GoPage"));
    buildLayout();
    buildErrorArea();
}

} // namespace kestrava
