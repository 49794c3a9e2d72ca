#include "sound/random_source.h"

namespace kalvora {

RandomSource& SharedRandomSource() {
    static RandomSource source;
    return source;
}

}  // namespace kalvora
