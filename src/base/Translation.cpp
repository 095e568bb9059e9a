// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Translation.h"

#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <QXmlStreamReader>

#include <memory>

namespace {

// The program's own English, or Qt's Chinese for its standard texts (dialog buttons, file dialogs, the context
// menus of text boxes), which are English without it.
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

QString StoredSetting(const QString& dataFile)
{
    QFile file;
    if (OpenRegularFile(dataFile, file, nullptr) != RegularFileOpen::Opened)
        return {};
    // The settings are attributes of the root element <tasks>; a file with a document type is none of ours.
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::Invalid:
            return {};
        case QXmlStreamReader::StartElement:
            return reader.name() == QLatin1String("tasks")
                ? reader.attributes().value(QLatin1StringView("lang")).toString()
                : QString();
        default:
            break;
        }
    }
    return {};
}

bool Install(const QString& language)
{
    Uninstall();
    auto translator = std::make_unique<QTranslator>();
    if (language != QLatin1String("en")) {
        // Missing when the system's Qt translations are not installed: the standard texts then stay English.
        if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator.get());
            Installed() = std::move(translator);
        }
        return true;
    }
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
