// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// A tooltip that wraps: Qt shows a plain text on one line however long it
// is, a rich text in lines of a readable width. Each line of `plain` becomes
// a paragraph of its own, in the same order:
//
//   "Classificato ...\nNella prova ..." -> "<p>Classificato ...</p><p>Nella prova ...</p>"
//
// Characters that mean something in rich text ("<", "&") are shown as they
// are. An empty text stays empty: no tooltip.

#include <QString>

namespace vintrelle::ui {

QString wrappingToolTip(const QString &plain);

} // namespace vintrelle::ui
