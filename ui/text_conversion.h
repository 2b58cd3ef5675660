// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The core's texts are UTF-8 std::strings; the widgets' are QStrings.
//   toQString("N°Cicli:37/10000") -> the same text as a QString
//   textOf(field)                 -> the field's text as UTF-8

#include <QLineEdit>
#include <QString>

#include <string>
#include <string_view>

namespace vintrelle::ui {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string textOf(const QLineEdit *field)
{
    return field->text().toStdString();
}

} // namespace vintrelle::ui
