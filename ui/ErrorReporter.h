// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <exception>

namespace kestrava {

/// Tells the user of a failure in a box with a single OK button. The window shows
/// a modal message box; tests record what they were told.
class ErrorReporter
{
public:
    virtual ~ErrorReporter() = default;

    /// Shows \a text under \a title and returns once the user has read it.
    virtual void showError(const QString &title, const QString &text) = 0;

    /// Runs \a handler. An exception escaping it must not end the program, nor
    /// cross the event loop: it is shown under the program's name instead.
    template<typename Handler>
    void runGuarded(Handler &&handler)
    {
        try {
            handler();
        } catch (const std::exception &failure) {
            showError(programTitle(), QString::fromLocal8Bit(failure.what()));
        } catch (...) {
            showError(programTitle(),
                      QCoreApplication::translate("kestrava::ErrorReporter", "An unexpected error occurred."));
        }
    }

    /// The title of the program's own message boxes.
    static QString programTitle() { return QStringLiteral("Kestrava"); }
};

} // namespace kestrava
