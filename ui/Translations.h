// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTranslator>

#include <memory>
#include <vector>

class QLocale;

namespace kestrava {

/// The program's translation and Qt's own for one locale, installed while this
/// object lives. Without a translation for the locale the texts stay English.
class Translations
{
public:
    /// Loads the program's translation for \a locale from the resources under
    /// ":/i18n" and Qt's own from Qt's translations folder, and installs those found.
    explicit Translations(const QLocale &locale);
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    /// The files installed, the program's first.
    QStringList files() const;

private:
    void install(const QLocale &locale, const QString &name, const QString &folder);

    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

} // namespace kestrava
