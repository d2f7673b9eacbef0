// board: text made safe for a page and times written as the board shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text for an HTML page or a quoted attribute: & < > " ' become references;
// control characters show as their Unicode pictures (a tab as U+2409), C1
// controls and bytes that are no UTF-8 as U+FFFD, so a name never breaks the
// page nor hides in it.
std::string htmlEscaped(std::string_view text);

// One path segment of a URL: every byte but letters, digits and - . _ ~ as
// %XX, so "A B/C" links as "A%20B%2FC".
std::string urlSegment(std::string_view text);

// A race or lap time as m:ss.mmm: 188 633 ms reads "3:08.633"; minutes go on
// past an hour rather than wrapping.
std::string raceTimeText(uint32_t ms);

// How far a time is behind (+) or ahead of (-) the reference: "+1.234",
// "-0.050", "+1:02.345" past a minute, "+0.000" when level.
std::string gapText(uint32_t ms, uint32_t referenceMs);
