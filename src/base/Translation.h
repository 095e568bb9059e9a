// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The interface language. The texts in the code and the forms are Chinese; English comes from the translation
// compiled into the program. The expression language of the tasks is data and is never translated.
namespace Translation {

// "zh" or "en": the setting when it names one, else Chinese when the first preferred system language is
// Chinese or none is stated (the C locale), English otherwise.
QString ChooseLanguage(const QString& setting, const QStringList& uiLanguages);
// The language setting stored in the data file `dataFile` ("" when it names none or cannot be read). Reads only the
// start of the file: tickwell-cli and --help ask it before anything else is loaded.
QString StoredSetting(const QString& dataFile);
// Installs the translation for `language` on the application: the program's English, or for Chinese only Qt's
// own Chinese for its standard texts when the system has it. False when the English is missing.
bool Install(const QString& language);
// Removes what Install put in, so tests can switch back.
void Uninstall();
// The language installed last: "zh" or "en".
QString Current();

}  // namespace Translation
