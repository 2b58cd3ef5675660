// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/announcement.h"

#include <array>

namespace vintrelle::ui {

void Announcement::setStatus(std::string_view text)
{
    status = text;
    reason.clear();
}

void Announcement::addToStatus(std::string_view more)
{
    status += more;
}

void Announcement::setPasses(std::string_view text)
{
    passes = text;
}

void Announcement::setReason(std::string_view text)
{
    reason = text;
}

void Announcement::forget()
{
    status.clear();
    passes.clear();
    reason.clear();
    weights = false;
}

std::string Announcement::take(std::string_view weightsText)
{
    const std::array<std::string_view, 4> parts{status, passes, reason,
                                                weights ? weightsText : std::string_view()};
    std::string message;
    for (const std::string_view part : parts) {
        if (part.empty())
            continue;
        if (!message.empty())
            message += ". ";
        message += part;
    }
    forget();
    return message;
}

} // namespace vintrelle::ui
