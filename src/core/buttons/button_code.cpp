#include "core/buttons/button_code.h"

namespace p330 {
namespace {

constexpr std::uint8_t kTypeKeys = 0x00;
constexpr std::uint8_t kTypeMouse = 0x01;
constexpr std::uint8_t kTypeConsumer = 0x03;
constexpr std::uint8_t kTypeDpi = 0x07;
constexpr std::uint8_t kTypeMacro = 0x09;

constexpr std::uint8_t kLeftControlUsage = 0xE0;
// 0x83 on the media list stands for the consumer usage 0x0183 (media player).
constexpr std::uint8_t kMediaPlayerLowByte = 0x83;

ButtonCode mouse(std::uint8_t function) {
    return {kTypeMouse, 0, function, 0};
}

ButtonCode scroll_select(std::uint8_t choice) {
    switch (choice) {
        case 1: return mouse(0xF2);
        case 2: return mouse(0xF7);
        case 3: return mouse(0xF8);
        default: return {};
    }
}

ButtonCode windows_shortcut(std::uint8_t choice) {
    switch (choice) {
        case 0: return {kTypeConsumer, 0, 0x94, 0x01};  // my computer
        case 1: return {kTypeConsumer, 0, 0x23, 0x02};  // browser home
        case 2: return {kTypeConsumer, 0, 0x21, 0x02};  // search
        case 3: return {kTypeKeys, 0x04, 0x2C, 0x1B};   // Alt+Space, X: maximise
        case 4: return {kTypeKeys, 0x04, 0x2C, 0x11};   // Alt+Space, N: minimise
        case 5: return {kTypeKeys, 0, 0xE3, 0x07};      // GUI+D: show desktop
        case 6: return {kTypeKeys, 0, 0xE3, 0x15};      // GUI+R: run
        default: return {};
    }
}

}  // namespace

ButtonCode encode_button_code(const SettingsRecord& r, int b) {
    switch (r.button_kind[b]) {
        case kKindClick: return mouse(0xF0);
        case kKindMenu: return mouse(0xF1);
        case kKindScrollSelect: return scroll_select(r.button_mouse[b]);
        case kKindIeForward: return mouse(0xF4);
        case kKindIeBackward: return mouse(0xF3);
        case kKindDoubleClick: return {0x0A, 0xF0, 0x1E, 0x02};
        case kKindCpiCycle: return {kTypeDpi, 0, r.button_dpi[b], 0};
        case kKindMultimedia: {
            const std::uint8_t high = r.button_media[b] == kMediaPlayerLowByte ? 0x01 : 0x00;
            return {kTypeConsumer, 0, r.button_media[b], high};
        }
        case kKindHotKey: return {kTypeKeys, 0, kLeftControlUsage, r.button_hotkey[b]};
        case kKindWindows: return windows_shortcut(r.button_special[b]);
        case kKindSingleKey: return {kTypeKeys, 0, r.button_key[b], 0};
        case kKindComboKey:
            return {kTypeKeys, r.button_combo_mod[b], r.button_combo_key1[b],
                    r.button_combo_key2[b]};
        case kKindMacroKey:
            return {kTypeMacro, r.button_macro_mode[b],
                    static_cast<std::uint8_t>(r.button_macro[b] + 1), 0};
        default: return {};
    }
}

}  // namespace p330
