#include "core/settings/setting_limits.h"

#include <algorithm>

namespace p330 {

DpiEntry clamp_dpi_entry(int typed_dpi) {
    const int shown = std::clamp(typed_dpi, kDpiEntryRange.min, kDpiEntryRange.max);
    return DpiEntry{shown, shown != typed_dpi, static_cast<std::uint8_t>(shown / kDpiStep)};
}

}  // namespace p330
