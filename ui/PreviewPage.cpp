#include "PreviewPage.h"

namespace kestrava {

PreviewPage::PreviewPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPage"));
    buildLayout();
}

} // namespace kestrava
