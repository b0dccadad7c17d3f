#include "core/buttons/key_naming.h"

#include <linux/input-event-codes.h>

#include <string_view>

namespace p330 {
namespace {

struct EvdevName {
    int code;
    std::string_view name;
};

constexpr EvdevName kNames[] = {
    {KEY_ESC, "Esc"}, {KEY_1, "1"}, {KEY_2, "2"}, {KEY_3, "3"}, {KEY_4, "4"}, {KEY_5, "5"},
    {KEY_6, "6"}, {KEY_7, "7"}, {KEY_8, "8"}, {KEY_9, "9"}, {KEY_0, "0"},
    {KEY_MINUS, "-"}, {KEY_EQUAL, "="}, {KEY_BACKSPACE, "Backspace"}, {KEY_TAB, "Tab"},
    {KEY_Q, "Q"}, {KEY_W, "W"}, {KEY_E, "E"}, {KEY_R, "R"}, {KEY_T, "T"}, {KEY_Y, "Y"},
    {KEY_U, "U"}, {KEY_I, "I"}, {KEY_O, "O"}, {KEY_P, "P"},
    {KEY_LEFTBRACE, "["}, {KEY_RIGHTBRACE, "]"}, {KEY_ENTER, "Enter"}, {KEY_LEFTCTRL, "Ctrl"},
    {KEY_A, "A"}, {KEY_S, "S"}, {KEY_D, "D"}, {KEY_F, "F"}, {KEY_G, "G"}, {KEY_H, "H"},
    {KEY_J, "J"}, {KEY_K, "K"}, {KEY_L, "L"},
    {KEY_SEMICOLON, ";"}, {KEY_APOSTROPHE, "'"}, {KEY_GRAVE, "`"}, {KEY_LEFTSHIFT, "Shift"},
    {KEY_BACKSLASH, "\\"},
    {KEY_Z, "Z"}, {KEY_X, "X"}, {KEY_C, "C"}, {KEY_V, "V"}, {KEY_B, "B"}, {KEY_N, "N"},
    {KEY_M, "M"},
    {KEY_COMMA, ","}, {KEY_DOT, "."}, {KEY_SLASH, "/"}, {KEY_RIGHTSHIFT, "Right Shift"},
    {KEY_KPASTERISK, "Num *"}, {KEY_LEFTALT, "Alt"}, {KEY_SPACE, "Space"},
    {KEY_CAPSLOCK, "Caps Lock"},
    {KEY_F1, "F1"}, {KEY_F2, "F2"}, {KEY_F3, "F3"}, {KEY_F4, "F4"}, {KEY_F5, "F5"},
    {KEY_F6, "F6"}, {KEY_F7, "F7"}, {KEY_F8, "F8"}, {KEY_F9, "F9"}, {KEY_F10, "F10"},
    {KEY_NUMLOCK, "Num Lock"}, {KEY_SCROLLLOCK, "Scroll Lock"},
    {KEY_KP7, "Num 7"}, {KEY_KP8, "Num 8"}, {KEY_KP9, "Num 9"}, {KEY_KPMINUS, "Num -"},
    {KEY_KP4, "Num 4"}, {KEY_KP5, "Num 5"}, {KEY_KP6, "Num 6"}, {KEY_KPPLUS, "Num +"},
    {KEY_KP1, "Num 1"}, {KEY_KP2, "Num 2"}, {KEY_KP3, "Num 3"}, {KEY_KP0, "Num 0"},
    {KEY_KPDOT, "Num Del"},
    // The extra key of ISO keyboards, which Windows names like the backslash key.
    {KEY_102ND, "\\"},
    {KEY_F11, "F11"}, {KEY_F12, "F12"},
    {KEY_KPENTER, "Num Enter"}, {KEY_RIGHTCTRL, "Right Ctrl"}, {KEY_KPSLASH, "Num /"},
    {KEY_SYSRQ, "Prnt Scrn"}, {KEY_RIGHTALT, "Right Alt"},
    {KEY_HOME, "Home"}, {KEY_UP, "Up"}, {KEY_PAGEUP, "Page Up"}, {KEY_LEFT, "Left"},
    {KEY_RIGHT, "Right"}, {KEY_END, "End"}, {KEY_DOWN, "Down"}, {KEY_PAGEDOWN, "Page Down"},
    {KEY_INSERT, "Insert"}, {KEY_DELETE, "Delete"}, {KEY_PAUSE, "Pause"},
    {KEY_LEFTMETA, "Left Windows"}, {KEY_RIGHTMETA, "Right Windows"},
    {KEY_COMPOSE, "Application"},
    // Keys outside the tables: named as Windows names them, usage 0.
    {KEY_KPEQUAL, "Num ="}, {KEY_MUTE, "Mute"}, {KEY_VOLUMEDOWN, "Volume Down"},
    {KEY_VOLUMEUP, "Volume Up"}, {KEY_NEXTSONG, "Next Track"},
    {KEY_PREVIOUSSONG, "Previous Track"}, {KEY_PLAYPAUSE, "Play/Pause"},
    {KEY_STOPCD, "Stop"}, {KEY_F13, "F13"}, {KEY_F14, "F14"}, {KEY_F15, "F15"},
    {KEY_F16, "F16"}, {KEY_F17, "F17"}, {KEY_F18, "F18"}, {KEY_F19, "F19"}, {KEY_F20, "F20"},
    {KEY_F21, "F21"}, {KEY_F22, "F22"}, {KEY_F23, "F23"}, {KEY_F24, "F24"},
};

}  // namespace

std::string key_name_from_evdev(int code) {
    for (const EvdevName& entry : kNames) {
        if (entry.code == code) return std::string(entry.name);
    }
    return "Key " + std::to_string(code);
}

}  // namespace p330
