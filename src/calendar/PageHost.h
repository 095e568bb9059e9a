// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class IPageHostModule;

// The page host module (tickwell_pagehost): the web engine, loaded the first time a page is shown.
namespace PageHost {

// Whether the module is installed; cheap, loads nothing. The windows enable their page commands by it.
bool Available();
// Why the page commands are disabled, for their tips.
QString UnavailableText();
// The module, loaded on first use; nullptr when it is missing or cannot be loaded (the reason is then in
// LoadError()).
IPageHostModule* Module();
QString LoadError();

// Tests: the module file to use instead of the one found beside the program ("" forgets it).
void SetModuleFile(const QString& path);

}  // namespace PageHost
