#include "KestravaForm.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window places its controls at fixed pixel positions on a fixed grey; Fusion
    // draws them alike on every desktop, so the layout holds wherever it runs.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setApplicationName(QStringLiteral("Kestrava"));
    // The user's language where Kestrava has it; English otherwise.
    const kestrava::Translations translations{QLocale()};
    kestrava::KestravaForm form;
    form.show();
    return QApplication::exec();
}
