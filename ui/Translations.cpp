// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace kestrava {

Translations::Translations(const QLocale &locale)
{
    install(locale, QStringLiteral("kestrava"), QStringLiteral(":/i18n"));
    // Qt's own texts: the buttons of message boxes, the context menus of text boxes.
    install(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Translations::~Translations()
{
    for (const auto &translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
}

QStringList Translations::files() const
{
    QStringList files;
    for (const auto &translator : m_translators)
        files << translator->filePath();
    return files;
}

void Translations::install(const QLocale &locale, const QString &name, const QString &folder)
{
    // load() tries each of the user's languages in turn, "de_DE" then "de".
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder))
        return;
    QCoreApplication::installTranslator(translator.get());
    m_translators.push_back(std::move(translator));
}

} // namespace kestrava
