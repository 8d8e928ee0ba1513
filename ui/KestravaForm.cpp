#include "KestravaForm.h"

namespace kestrava {

KestravaForm::KestravaForm(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("KestravaForm"));
    setWindowTitle(QStringLiteral("Kestrava  -  Quorvel  -  V1.3  |  by Dunsmore"));
    setFixedSize(658, 482);
}

} // namespace kestrava
