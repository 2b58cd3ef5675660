// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// What the action under way has shown, to be told to screen readers in one
// message when it ends: the status line's text (with what a listener needs
// besides, as the answer after "Calcolato: "), the pass display's, the
// reason, and the new weights where they changed and are to be said. Each
// part given again replaces the one before; a new status takes the reason
// away, as on the screen. Plain C++, no Qt.
//
//   setStatus("Superati i limiti ..."); setPasses("N°Cicli:2/1");
//   setReason("I campioni ...");  take("")
//     -> "Superati i limiti .... N°Cicli:2/1. I campioni ..."
//
//   setStatus("Calcolato: "); addToStatus("-1");  take("") -> "Calcolato: -1"

#include <string>
#include <string_view>

namespace vintrelle::ui {

class Announcement
{
public:
    void setStatus(std::string_view text);
    void addToStatus(std::string_view more);
    void setPasses(std::string_view text);
    void setReason(std::string_view text);
    void weightsChanged() { weights = true; }

    // Nothing to say: what was shown is read with the window.
    void forget();

    // The message, parts joined by ". ", with `weightsText` last when the
    // weights changed and it is not empty; empty when nothing was shown.
    // Starts afresh for the next action.
    std::string take(std::string_view weightsText);

private:
    std::string status;
    std::string passes;
    std::string reason;
    bool weights = false;
};

} // namespace vintrelle::ui
