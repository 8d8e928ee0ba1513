#include "KestravaForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrava"));
    kestrava::KestravaForm form;
    form.show();
    return QApplication::exec();
}
