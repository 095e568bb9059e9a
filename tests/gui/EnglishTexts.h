// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks that a window shown with the English translation has no Chinese left but data.

#include "support/English.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>

#include <gtest/gtest.h>

namespace EnglishTexts {

// Entries that are data kept Chinese: delays the program parses, categories and ringtone files. The due boxes
// show the expression language in English, also in their edit text.
inline const QStringList kDataBoxes = { "cboDelay", "cboType", "cboRingFile" };

// Every visible text of `root` that is still Chinese, named by its object, once the data in `allowed` is taken out.
inline QStringList ChineseTexts(QWidget* root, const QStringList& allowed)
{
    QStringList found;
    const auto check = [&](const QObject* o, const QString& text) {
        QString rest = text;
        for (const QString& data : allowed)
            rest.remove(data);
        if (HasChinese(rest))
            found << o->objectName() + QStringLiteral(": ") + text;
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        check(w, w->windowTitle());
        check(w, w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            check(l, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            check(b, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            check(g, g->title());
        if (auto* c = qobject_cast<QComboBox*>(w); c && !kDataBoxes.contains(c->objectName())) {
            for (int i = 0; i < c->count(); ++i)
                check(c, c->itemText(i));
            check(c, c->currentText());
        }
        if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model())
            for (int i = 0; i < h->count(); ++i)
                check(h, h->model()->headerData(i, h->orientation()).toString());
        for (QAction* a : w->actions()) {
            check(a, a->text());
            check(a, a->toolTip());
        }
        if (auto* m = qobject_cast<QMenu*>(w))
            check(m, m->title());
    }
    return found;
}

}  // namespace EnglishTexts
