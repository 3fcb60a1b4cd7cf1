#pragma once

class QWidget;

namespace calendario {

// What a screen reader finds in the calendar: each day cell named by its full date, with
// the selected day marked and followed by the reader's focus; empty cells not at all; the
// year bar by its name and its year. Qt installs it once, however often it is called.
void installAccessibility();

// Moves a screen reader's focus to the selected day of the panel, while the panel has the
// keyboard.
void announceSelectedDay(QWidget *panel);

} // namespace calendario
