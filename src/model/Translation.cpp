// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Translation.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QTranslator>& Installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

QString& CurrentLanguage()
{
    static QString language = QStringLiteral("zh");
    return language;
}

}  // namespace

namespace Translation {

QString ChooseLanguage(const QString& setting, const QStringList& uiLanguages)
{
    if (setting == QLatin1String("zh") || setting == QLatin1String("en"))
        return setting;
    // The C locale (a bare system, a service, a test run) states no language: the program keeps its own.
    if (uiLanguages.isEmpty() || uiLanguages.first() == QLatin1String("C")
        || uiLanguages.first().startsWith(QLatin1String("zh")))
        return QStringLiteral("zh");
    return QStringLiteral("en");
}

bool Install(const QString& language)
{
    Uninstall();
    if (language != QLatin1String("en"))
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/tickwell_en.qm")))
        return false;
    QCoreApplication::installTranslator(translator.get());
    Installed() = std::move(translator);
    CurrentLanguage() = language;
    return true;
}

void Uninstall()
{
    if (Installed())
        QCoreApplication::removeTranslator(Installed().get());
    Installed().reset();
    CurrentLanguage() = QStringLiteral("zh");
}

QString Current()
{
    return CurrentLanguage();
}

}  // namespace Translation
