#include "shell/wave_view_props.h"

namespace kalvora {

void TWaveViewProps::BlendToward(platform::Color background, double s) {
    for (platform::Color* colour :
         {&BackgroundColor, &SingleColor, &LeftColor, &RightColor, &CursorColor, &GridColor}) {
        *colour = platform::BlendColor(background, *colour, s);
    }
}

}  // namespace kalvora
