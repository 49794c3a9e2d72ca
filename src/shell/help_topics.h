// The help topics: which page of the manual each help context number opens. Every dialog
// carries one of these numbers; its Help button and F1 open the page of that number. The
// pages are HTML files built into the program (src/gui/resources/help/); a page name may
// carry an anchor ("projects.html#export"). Standard C++ only.
#pragma once

#include <span>
#include <string_view>

namespace kalvora {

// The help context numbers of the dialogs that are not effect dialogs. Effect dialogs find
// theirs by their command (HelpContextOfEffect).
namespace helpContext {
inline constexpr int contents = 1;
inline constexpr int volumeDiagram = 3;
inline constexpr int colorPalette = 4;
inline constexpr int waveProperties = 10;
inline constexpr int registerName = 11;
inline constexpr int mix = 12;
inline constexpr int merge = 13;
inline constexpr int splitHorizontally = 14;
inline constexpr int exportOptions = 15;
inline constexpr int waveView = 23;
inline constexpr int selectAndZoom = 40;
inline constexpr int editMusic = 51;
inline constexpr int musicParts = 52;
inline constexpr int openProject = 53;
inline constexpr int newProject = 54;
inline constexpr int exportProject = 56;
}  // namespace helpContext

struct THelpTopic {
    int context = 0;
    std::string_view page{};     // "make-line.html", perhaps with "#anchor"
    std::string_view command{};  // the effect command whose dialog it is, or empty
};

// Every topic, by rising context number.
std::span<const THelpTopic> HelpTopics();

// The page of a context number; the contents page for a number no topic has, so that a
// Help button always shows something.
std::string_view HelpPageOfContext(int context);

// The context number of the named effect command's dialog (compared without regard to case),
// or 0 when the table gives it none.
int HelpContextOfEffect(std::string_view command);

// The page the manual starts with.
inline constexpr std::string_view kHelpStartPage = "index.html";

}  // namespace kalvora
