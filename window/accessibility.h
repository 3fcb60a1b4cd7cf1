#pragma once

namespace calendario {

// What a screen reader finds in the calendar: the grid of days as a table whose cells are
// named by their full dates, the selected day marked and followed by the reader's focus,
// the panel's controls in reading order, and the year bar by its name and its year. Qt
// installs it once, however often it is called.
void installAccessibility();

} // namespace calendario
