// Shows the window, makes each tab current in turn and saves a picture of it.
// Usage: kestrava-screenshots <output folder>

#include "KestravaForm.h"

#include <QApplication>
#include <QDir>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextStream>

#include <array>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window places its controls at fixed pixel positions on a fixed grey; Fusion
    // draws them alike on every desktop, so the layout holds wherever it runs.
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const std::array<QString, 8> names{
        QStringLiteral("tab0-choose-files"), QStringLiteral("tab1-set-options"), QStringLiteral("tab2-preview-results"),
        QStringLiteral("tab3-go"),           QStringLiteral("tab4-spacer"),      QStringLiteral("tab5-help"),
        QStringLiteral("tab6-about"),        QStringLiteral("tab7-exit")};

    kestrava::KestravaForm form;
    form.show();
    QTextStream err(stderr);
    for (int i = 0; i < int(names.size()); ++i) {
        {
            // Only the pictures are wanted: the tabs' own handling (moving on from the
            // spacer, ending the program on Exit) must not run.
            const QSignalBlocker blocker(form.SSTabStrip());
            form.SSTabStrip()->setCurrentIndex(i);
        }
        QApplication::processEvents();
        const QString path = out.filePath(names[size_t(i)] + QStringLiteral(".png"));
        if (!form.grab().save(path)) {
            err << "cannot save " << path << Qt::endl;
            return 1;
        }
    }
    return 0;
}
