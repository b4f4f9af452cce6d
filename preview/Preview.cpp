// Placeholder until the preview lands.
#include "preview/Preview.h"

namespace dover {

int RunPreview(const EngineTable&, std::span<const std::uint8_t>, std::int32_t) {
    return 0;
}

} // namespace dover
