// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CSimpleList;
class CTaskFilter;

// What the filter dialog and the filter menu need from the main window.
class IFilterHost
{
public:
    virtual ~IFilterHost() = default;
    virtual const CTaskFilter& CurrentFilter() const = 0;
    virtual const CSimpleList& TaskTypes() const = 0;
    // "-" or an empty text clears the filter. On failure the current filter stays and *errInfo says why.
    virtual bool SetTaskFilter(const QString& text, QString* errInfo) = 0;
};
