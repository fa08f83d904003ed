// How soon the program, started on a folder, answers once its window shows: measured from this
// process, as the user's other programs see it.
#pragma once

#include <optional>
#include <string>

namespace bench {

struct StartUpTimes {
    double shown = 0;       // from the start of the process to its main window becoming visible
    double firstAnswer = 0; // from then to the window's first answer to a sent WM_NULL
    double longestWait = 0; // the longest wait for an answer in the seconds that follow
};

// Starts `program path`, polls for its main window (visible, with a caption) and sends it WM_NULL
// at once and then over and over for `watchSeconds`; closes the program afterwards. Times in
// milliseconds; nothing when the program did not start or its window did not show within a
// minute.
std::optional<StartUpTimes> TimeStartUp(const std::string& program, const std::string& path,
                                        double watchSeconds);

} // namespace bench
