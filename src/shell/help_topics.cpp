#include "shell/help_topics.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kalvora {
namespace {

namespace hc = helpContext;

// Effect dialogs take the numbers from 100 on, grouped as the Effects menu groups them.
constexpr std::array topics{
    THelpTopic{hc::contents, "index.html"},
    THelpTopic{hc::volumeDiagram, "volume-diagram-dialog.html"},
    THelpTopic{hc::colorPalette, "color-palette.html"},
    THelpTopic{hc::waveProperties, "wave-properties.html"},
    THelpTopic{hc::registerName, "register.html"},
    THelpTopic{hc::mix, "mix.html"},
    THelpTopic{hc::merge, "merge.html"},
    THelpTopic{hc::splitHorizontally, "split.html"},
    THelpTopic{hc::exportOptions, "export.html"},
    THelpTopic{hc::waveView, "wave-view-dialog.html"},
    THelpTopic{hc::selectAndZoom, "select-and-zoom.html"},
    THelpTopic{hc::editMusic, "edit-music-dialog.html"},
    THelpTopic{hc::musicParts, "music-parts-dialog.html"},
    THelpTopic{hc::openProject, "projects.html#open"},
    THelpTopic{hc::newProject, "projects.html#new"},
    THelpTopic{hc::exportProject, "projects.html#export"},
    THelpTopic{101, "make-silence.html", "MakeSilence"},
    THelpTopic{102, "make-line.html", "MakeLine"},
    THelpTopic{103, "make-block-triangle.html", "MakeBlock"},
    THelpTopic{104, "make-block-triangle.html", "MakeTriangle"},
    THelpTopic{105, "make-sinus.html", "MakeSinus"},
    THelpTopic{106, "make-noise.html", "MakeNoise"},
    THelpTopic{107, "multi-frequency.html", "MakeMFreq"},
    THelpTopic{110, "volume.html", "Volume"},
    THelpTopic{111, "move-vertically.html", "MoveV"},
    THelpTopic{112, "block.html", "Block"},
    THelpTopic{113, "roll-out.html", "RollOut"},
    THelpTopic{114, "rotate.html", "Rotate"},
    THelpTopic{115, "roll-in.html", "RollIn"},
    THelpTopic{116, "length.html", "Length"},
    THelpTopic{117, "distort.html", "Distort"},
    THelpTopic{118, "move-horizontally.html", "MoveH"},
    THelpTopic{120, "balance.html", "Balance"},
    THelpTopic{121, "mix-left-right.html", "MixLeftRight"},
    THelpTopic{122, "period-echo.html", "PerEcho"},
    THelpTopic{123, "random-echo.html", "RndEcho"},
    THelpTopic{124, "tempo-pitch.html", "TempoPitch"},
    THelpTopic{130, "filter-block.html", "FilterBlock"},
    THelpTopic{131, "filter-low-high.html", "FilterLow"},
    THelpTopic{132, "filter-low-high.html", "FilterHigh"},
    THelpTopic{133, "filter-resonant-notch.html", "FilterRes"},
    THelpTopic{134, "filter-resonant-notch.html", "FilterNotch"},
};

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::span<const THelpTopic> HelpTopics() {
    return topics;
}

std::string_view HelpPageOfContext(int context) {
    for (const THelpTopic& topic : topics) {
        if (topic.context == context) return topic.page;
    }
    return kHelpStartPage;
}

int HelpContextOfEffect(std::string_view command) {
    if (command.empty()) return 0;
    for (const THelpTopic& topic : topics) {
        if (SameName(topic.command, command)) return topic.context;
    }
    return 0;
}

}  // namespace kalvora
