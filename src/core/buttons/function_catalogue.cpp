#include "core/buttons/function_catalogue.h"

namespace p330 {

namespace {
constexpr SubListId kNone = SubListId::kScrollSelect;  // unused for non-sub-list entries
}

const std::array<CatalogueEntry, kButtonKindCount> kFunctionCatalogue = {{
    {kKindClick, &UiTexts::fn_click, ChoiceEffect::kCommit, kNone},
    {kKindMenu, &UiTexts::fn_menu, ChoiceEffect::kCommit, kNone},
    {kKindScrollSelect, &UiTexts::fn_scroll_select, ChoiceEffect::kSubList,
     SubListId::kScrollSelect},
    {kKindIeForward, &UiTexts::fn_ie_forward, ChoiceEffect::kCommit, kNone},
    {kKindIeBackward, &UiTexts::fn_ie_backward, ChoiceEffect::kCommit, kNone},
    {kKindDoubleClick, &UiTexts::fn_double_click, ChoiceEffect::kCommit, kNone},
    {kKindCpiCycle, &UiTexts::fn_cpi_cycle, ChoiceEffect::kSubList, SubListId::kCpiCycle},
    {kKindMultimedia, &UiTexts::fn_multimedia, ChoiceEffect::kSubList, SubListId::kMultimedia},
    {kKindHotKey, &UiTexts::fn_hotkey, ChoiceEffect::kSubList, SubListId::kHotKey},
    {kKindWindows, &UiTexts::fn_windows, ChoiceEffect::kSubList, SubListId::kWindows},
    {kKindSingleKey, &UiTexts::fn_single_key, ChoiceEffect::kSingleKeyDialog, kNone},
    {kKindComboKey, &UiTexts::fn_combo_key, ChoiceEffect::kComboKeyDialog, kNone},
    {kKindMacroKey, &UiTexts::fn_macro_key, ChoiceEffect::kMacroDialog, kNone},
    {kKindButtonOff, &UiTexts::fn_button_off, ChoiceEffect::kCommit, kNone},
}};

std::string_view function_name(ButtonKind kind, Language language) {
    if (kind >= kButtonKindCount) return {};
    return ui_texts(language).*(kFunctionCatalogue[kind].name);
}

namespace {

const SubListItem kScrollSelectItems[] = {
    {{"Mouse M Button", "滚轮", "滾輪"}, 1},
    {{"Mouse Scroll Up", "上滚轮", "上滾輪"}, 2},
    {{"Mouse Scroll Down", "下滚轮", "下滾輪"}, 3},
};

const SubListItem kCpiCycleItems[] = {
    {{"DPI +", "DPI +", "DPI +"}, 1},
    {{"DPI -", "DPI -", "DPI -"}, 2},
    {{"DPI Loop", "DPI Loop", "DPI Loop"}, 3},
};

const SubListItem kMultimediaItems[] = {
    {{"Media player", "多媒体播放器", "多媒體播放器"}, 0x83},
    {{"Next Track", "下一首", "下一首"}, 0xB5},
    {{"Pre Track", "上一首", "上一首"}, 0xB6},
    {{"Stop", "停止", "停止"}, 0xB7},
    {{"Play/Pause", "播放/暂停", "播放/暫停"}, 0xCD},
    {{"Mute", "静音", "靜音"}, 0xE2},
    {{"Volume Up", "音量+", "音量+"}, 0xE9},
    {{"Volume Down", "音量-", "音量-"}, 0xEA},
};

const SubListItem kHotKeyItems[] = {
    {{"New", "新建", "新建"}, 0x11},  {{"Cut", "剪切", "剪切"}, 0x1B},
    {{"Copy", "复制", "複製"}, 0x06}, {{"Paste", "粘贴", "粘貼"}, 0x19},
    {{"Save", "保存", "保存"}, 0x16}, {{"Print", "打印", "列印"}, 0x13},
    {{"Find", "查找", "查找"}, 0x09}, {{"Redo", "重复", "重複"}, 0x1C},
    {{"Undo", "撤销", "撤銷"}, 0x1D}, {{"Select All", "全选", "全選"}, 0x04},
};

const SubListItem kWindowsItems[] = {
    {{"My computer", "我的电脑", "我的電腦"}, 0},
    {{"Browser-Home", "浏览器-主页", "瀏覽器-主頁"}, 1},
    {{"Search", "搜索", "搜索"}, 2},
    {{"Maximum", "最大化", "最大化"}, 3},
    {{"Minimum", "最小化", "最小化"}, 4},
    {{"Show desktop", "显示桌面", "顯示桌面"}, 5},
    {{"Run", "运行", "運行"}, 6},
};

}  // namespace

std::span<const SubListItem> sub_list_items(SubListId id) {
    switch (id) {
        case SubListId::kMultimedia: return kMultimediaItems;
        case SubListId::kHotKey: return kHotKeyItems;
        case SubListId::kWindows: return kWindowsItems;
        case SubListId::kCpiCycle: return kCpiCycleItems;
        case SubListId::kScrollSelect: return kScrollSelectItems;
    }
    return {};
}

ButtonKind sub_list_kind(SubListId id) {
    switch (id) {
        case SubListId::kMultimedia: return kKindMultimedia;
        case SubListId::kHotKey: return kKindHotKey;
        case SubListId::kWindows: return kKindWindows;
        case SubListId::kCpiCycle: return kKindCpiCycle;
        case SubListId::kScrollSelect: return kKindScrollSelect;
    }
    return kKindButtonOff;
}

std::uint8_t sub_list_value(SubListId id, int position) {
    if (id == SubListId::kWindows) return static_cast<std::uint8_t>(position);
    const auto items = sub_list_items(id);
    if (position < 0 || static_cast<std::size_t>(position) >= items.size()) return 0;
    return items[static_cast<std::size_t>(position)].value;
}

std::array<std::string, kButtonCount> first_run_labels(Language language) {
    const UiTexts& t = ui_texts(language);
    return {std::string(t.fn_click),          std::string(t.fn_menu),
            std::string(t.fn_mouse_m_button), std::string(t.fn_scroll_up),
            std::string(t.fn_scroll_down),    std::string(t.fn_dpi_loop),
            std::string(t.fn_ie_forward),     std::string(t.fn_ie_backward)};
}

}  // namespace p330
