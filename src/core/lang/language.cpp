#include "core/lang/language.h"

namespace p330 {

Language language_from_code(std::string_view code) {
    if (code == "CHS") return Language::kSimplifiedChinese;
    if (code == "CHT") return Language::kTraditionalChinese;
    return Language::kEnglish;
}

std::string_view language_code(Language language) {
    switch (language) {
        case Language::kSimplifiedChinese: return "CHS";
        case Language::kTraditionalChinese: return "CHT";
        case Language::kEnglish: break;
    }
    return "EN";
}

std::string_view label_section(Language language) {
    switch (language) {
        case Language::kSimplifiedChinese: return "Setting-CHS";
        case Language::kTraditionalChinese: return "Setting-CHT";
        case Language::kEnglish: break;
    }
    return "Setting-EN";
}

std::string_view ansi_code_page(Language language) {
    switch (language) {
        case Language::kSimplifiedChinese: return "GBK";
        case Language::kTraditionalChinese: return "BIG5";
        case Language::kEnglish: break;
    }
    return "WINDOWS-1252";
}

namespace {

const UiTexts kEnglish = {
    .product_title = "VELSTRA Peripheral",
    .tray_exit = "Exit",
    .reset = "Reset",
    .cancel = "Cancel",
    .save = "Save",
    .config = "Config",
    .front = "Front",
    .side = "Side",
    .button_assignment = "Button Assignment",
    .macro_manager = "Macro Manager",
    .sensitivity_setting = "X/Y Sensitivity Setting",
    .dpi_setting = "DPI Setting",
    .lighting = "Lighting",
    .usb_report_rate = "USB Report Rate",
    .mouse_speed = "Mouse Speed",
    .double_click_speed = "Double Click Speed",
    .scroll_speed = "Scroll Speed",
    .angle_snap = "Angle Snap",
    .x_axis = "X axis",
    .y_axis = "Y axis",
    .button_names = {"Button 1", "Button 2", "Button 3", "Button 4", "Button 5", "Button 6",
                     "Button 7", "Button 8"},
    .dpi_dial_up = "DPI Dial Up",
    .dpi_dial_down = "DPI Dial Down",
    .slow = "Slow",
    .fast = "Fast",
    .number_of_rows = "The number of rows",
    .scroll_one_screen = "Scroll one screen",
    .light_standard = "Standard",
    .light_respiration = "Respiration",
    .light_neon = "Neon",
    .fn_click = "Click",
    .fn_menu = "Menu",
    .fn_mouse_m_button = "Mouse M Button",
    .fn_scroll_up = "Mouse Scroll Up",
    .fn_scroll_down = "Mouse Scroll Down",
    .fn_scroll_select = "Scroll Select",
    .fn_ie_forward = "IE Forward",
    .fn_ie_backward = "IE Backward",
    .fn_dpi_loop = "DPI loop",
    .fn_cpi_cycle = "CPI Cycle",
    .fn_double_click = "Double Click",
    .fn_windows = "Windows",
    .fn_multimedia = "Multimedia",
    .fn_hotkey = "HotKey",
    .fn_single_key = "Single Key",
    .fn_combo_key = "Combo Key",
    .fn_macro_key = "Macro Key",
    .fn_button_off = "Button Off",
    .left_key_required = "Left key must be selected!",
    .mouse_not_detected = "The system did not detect the gaming mouse!",
    .mouse_detected = "The system detect the gaming mouse.",
    .dpi_stage_switched = {"Switch DPI into the first stage ", "Switch DPI into the second stage ",
                           "Switch DPI into the third stage ", "Switch DPI into the fourth stage ",
                           "Switch DPI into the fifth stage ", "Switch DPI into the sixth stage "},
    .macro_key_switched = "Switch to macro key",
    .upload_failed =
        "The mouse did not receive every setting ({failed} of {total} transfers failed{not_sent}). "
        "Check the connection and save again.",
    .upload_not_sent = ", {count} not sent after the mouse stopped answering",
    .desktop_lacks_settings =
        "This desktop has no setting for {settings}; that part of the profile is not applied here.",
    .pointer_setting_names = {"pointer acceleration", "pointer speed", "wheel scroll lines",
                              "double-click time"},
    .list_separator = ", ",
    .skin_images_missing =
        "The skin folder {folder} has no usable {files}, so the window cannot be drawn.",
    .skin_path_refused =
        "The skin path \"{path}\" leads out of the skin folder {folder}, so the window cannot be "
        "drawn.",
    .profile_ini_unreadable =
        "The profile file cannot be read, so the window cannot be drawn: {reason}",
    .user_folder_unusable =
        "The folder {folder} for the profiles could not be set up, so the window cannot be drawn: "
        "{reason}",
    .profile_list_unreadable =
        "The profile list cannot be read, so the window cannot be drawn: {reason}",
    .skin_path_missing =
        "The profile file {file} names no skin (key Path of section [Skins]), so the window cannot "
        "be drawn.",
    .not_saved_without_mouse =
        "The mouse is not connected, so nothing was saved. Connect it and press Save again.",
    .info_title = "Information",
    .warning_title = "Warning",
    .needs_graphical_session =
        "p330 needs a graphical session (X11 or Wayland), and there is none here: DISPLAY and "
        "WAYLAND_DISPLAY are not set. p330ctl works without one and changes the same settings.",
    .folder_busy =
        "The data folder is busy: another p330 or p330ctl has kept it for {seconds} s. Nothing was "
        "changed; try again.",
    .mouse_busy =
        "The mouse is busy: another program is using it. Nothing was sent; try again in a moment.",
    .overwrite_changed_elsewhere =
        "Another program changed this profile's files since they were loaded.\nSave anyway and "
        "overwrite that change?",
    .changed_elsewhere_not_saved =
        "Another program changed this profile's files while this one saved: nothing was saved. "
        "Save "
        "again to overwrite that change.",
    .mouse_in_use =
        "The gaming mouse is in use by another program. It is connected as soon as that program "
        "lets it go.",
    .drop_edits_for_other_profile =
        "The settings shown have changes that are not saved.\nLoad the chosen profile and drop "
        "them?",
    .close_with_unsaved_edits =
        "The settings shown have changes that are not saved.\nSave them before closing?",
    .discard = "Discard",
    .reset_replaces_settings =
        "Reset puts the shipped default settings in place of this profile's settings and, with the "
        "mouse connected, saves them over what is saved.\nReset anyway?",
};

const UiTexts kSimplified = {
    .product_title = "Tarnic外设",
    .tray_exit = "退出",
    .reset = "恢复",
    .cancel = "取消",
    .save = "保存",
    .config = "配置",
    .front = "正面",
    .side = "侧面",
    .button_assignment = "按钮分配",
    .macro_manager = "宏管理器",
    .sensitivity_setting = "X/Y轴设置",
    .dpi_setting = "DPI 设置",
    .lighting = "照明",
    .usb_report_rate = "USB输出报告率",
    .mouse_speed = "鼠标速度",
    .double_click_speed = "双击速度",
    .scroll_speed = "鼠标滚轮速度",
    .angle_snap = "角度捕捉",
    .x_axis = "X轴",
    .y_axis = "Y轴",
    .button_names = {"按钮1", "按钮2", "按钮3", "按钮4", "按钮5", "按钮6", "按钮7", "按钮8"},
    .dpi_dial_up = "DPI 拨键上",
    .dpi_dial_down = "DPI 拨键下",
    .slow = "慢",
    .fast = "快",
    .number_of_rows = "一次滚动行数",
    .scroll_one_screen = "一次滚动一个屏幕",
    .light_standard = "标准模式",
    .light_respiration = "呼吸模式",
    .light_neon = "霓虹模式",
    .fn_click = "左键",
    .fn_menu = "右键",
    .fn_mouse_m_button = "滚轮",
    .fn_scroll_up = "上滚轮",
    .fn_scroll_down = "下滚轮",
    .fn_scroll_select = "滚轮选择",
    .fn_ie_forward = "前进方向键",
    .fn_ie_backward = "后退方向键",
    .fn_dpi_loop = "DPI loop",
    .fn_cpi_cycle = "DPI切换",
    .fn_double_click = "双击",
    .fn_windows = "Windows",
    .fn_multimedia = "多媒体",
    .fn_hotkey = "快捷键",
    .fn_single_key = "单键",
    .fn_combo_key = "组合键",
    .fn_macro_key = "宏",
    .fn_button_off = "按键关闭",
    .left_key_required = "左键功能必须选择！",
    .mouse_not_detected = "系统没有检测到游戏鼠标！",
    .mouse_detected = "系统检测到游戏鼠标。",
    .dpi_stage_switched = {"DPI切换到第一段 ", "DPI切换到第二段 ", "DPI切换到第三段 ",
                           "DPI切换到第四段 ", "DPI切换到第五段 ", "DPI切换到第六段 "},
    .macro_key_switched = "切换到宏",
    .upload_failed =
        "鼠标未收到全部设置（{total} 次传输中有 {failed} "
        "次失败{not_sent}）。请检查连接后重新保存。",
    .upload_not_sent = "，{count} 次因鼠标停止响应而未发送",
    .desktop_lacks_settings = "此桌面没有{settings}设置，配置中的这一部分不会在此生效。",
    .pointer_setting_names = {"指针加速", "指针速度", "滚轮滚动行数", "双击时间"},
    .list_separator = "、",
    .skin_images_missing = "皮肤文件夹 {folder} 中没有可用的 {files}，无法绘制窗口。",
    .skin_path_refused = "皮肤路径“{path}”指向皮肤文件夹 {folder} 之外，无法绘制窗口。",
    .profile_ini_unreadable = "无法读取配置文件，无法绘制窗口：{reason}",
    .user_folder_unusable = "无法建立存放配置的文件夹 {folder}，无法绘制窗口：{reason}",
    .profile_list_unreadable = "无法读取配置列表，无法绘制窗口：{reason}",
    .skin_path_missing = "配置文件 {file} 没有指定皮肤（[Skins] 节的 Path 键），无法绘制窗口。",
    .not_saved_without_mouse = "鼠标未连接，未保存任何设置。请连接鼠标后重新保存。",
    .info_title = "提示",
    .warning_title = "警告",
    .needs_graphical_session =
        "p330 需要图形会话（X11 或 Wayland），此处没有：DISPLAY 和 WAYLAND_DISPLAY 均未设置。"
        "p330ctl 无需图形会话即可更改相同的设置。",
    .folder_busy =
        "数据文件夹正忙：另一个 p330 或 p330ctl 已占用它 {seconds} 秒。未做任何更改，请重试。",
    .mouse_busy = "鼠标正忙：另一个程序正在使用它。未发送任何设置，请稍后重试。",
    .overwrite_changed_elsewhere =
        "载入此配置后，另一个程序更改了它的文件。\n仍要保存并覆盖该更改吗？",
    .changed_elsewhere_not_saved =
        "保存时另一个程序更改了此配置的文件：未保存任何内容。再次保存将覆盖该更改。",
    .mouse_in_use = "游戏鼠标正被另一个程序使用。该程序释放鼠标后将立即连接。",
    .drop_edits_for_other_profile =
        "当前显示的设置有未保存的更改。\n载入所选配置并放弃这些更改吗？",
    .close_with_unsaved_edits = "当前显示的设置有未保存的更改。\n关闭前保存这些更改吗？",
    .discard = "放弃",
    .reset_replaces_settings =
        "恢复将用出厂默认设置取代此配置的设置；鼠标已连接时还会覆盖已保存的设置。\n仍要恢复吗？",
};

const UiTexts kTraditional = {
    .product_title = "Tarnic外設",
    .tray_exit = "退出",
    .reset = "恢復",
    .cancel = "取消",
    .save = "保存",
    .config = "配置",
    .front = "正面",
    .side = "側面",
    .button_assignment = "按鈕分配",
    .macro_manager = "宏管理器",
    .sensitivity_setting = "X/Y軸設置",
    .dpi_setting = "DPI 設置",
    .lighting = "照明",
    .usb_report_rate = "USB輸出報告率",
    .mouse_speed = "滑鼠移動速度",
    .double_click_speed = "滑鼠雙擊速度",
    .scroll_speed = "滑鼠滾動速度",
    .angle_snap = "角度捕捉",
    .x_axis = "X軸",
    .y_axis = "Y軸",
    .button_names = {"按鈕1", "按鈕2", "按鈕3", "按鈕4", "按鈕5", "按鈕6", "按鈕7", "按鈕8"},
    .dpi_dial_up = "DPI 撥鍵上",
    .dpi_dial_down = "DPI 撥鍵下",
    .slow = "慢",
    .fast = "快",
    .number_of_rows = "一次滾動行數",
    .scroll_one_screen = "一次滾動一個螢幕",
    .light_standard = "標準模式",
    .light_respiration = "呼吸模式",
    .light_neon = "霓虹模式",
    .fn_click = "左鍵",
    .fn_menu = "右鍵",
    .fn_mouse_m_button = "滾輪",
    .fn_scroll_up = "上滾輪",
    .fn_scroll_down = "下滾輪",
    .fn_scroll_select = "滾輪選擇",
    .fn_ie_forward = "前進方向鍵",
    .fn_ie_backward = "後退方向鍵",
    .fn_dpi_loop = "DPI loop",
    .fn_cpi_cycle = "DPI切換",
    .fn_double_click = "双击",
    .fn_windows = "Windows",
    .fn_multimedia = "多媒體",
    .fn_hotkey = "快速鍵",
    .fn_single_key = "單鍵",
    .fn_combo_key = "複合鍵",
    .fn_macro_key = "巨集",
    .fn_button_off = "按鍵關閉",
    .left_key_required = "左鍵功能必須選擇！",
    .mouse_not_detected = "系統沒有檢測到遊戲滑鼠！",
    .mouse_detected = "系統檢測到遊戲滑鼠。",
    .dpi_stage_switched = {"DPI切換到第一段 ", "DPI切換到第二段 ", "DPI切換到第三段 ",
                           "DPI切換到第四段 ", "DPI切換到第五段 ", "DPI切換到第六段 "},
    .macro_key_switched = "切換到巨集",
    .upload_failed =
        "滑鼠未收到全部設定（{total} 次傳輸中有 {failed} "
        "次失敗{not_sent}）。請檢查連線後重新儲存。",
    .upload_not_sent = "，{count} 次因滑鼠停止回應而未傳送",
    .desktop_lacks_settings = "此桌面沒有{settings}設定，設定檔中的這一部分不會在此生效。",
    .pointer_setting_names = {"指標加速", "指標速度", "滾輪捲動行數", "按兩下時間"},
    .list_separator = "、",
    .skin_images_missing = "外觀資料夾 {folder} 中沒有可用的 {files}，無法繪製視窗。",
    .skin_path_refused = "外觀路徑「{path}」指向外觀資料夾 {folder} 之外，無法繪製視窗。",
    .profile_ini_unreadable = "無法讀取設定檔，無法繪製視窗：{reason}",
    .user_folder_unusable = "無法建立存放設定檔的資料夾 {folder}，無法繪製視窗：{reason}",
    .profile_list_unreadable = "無法讀取設定檔清單，無法繪製視窗：{reason}",
    .skin_path_missing = "設定檔 {file} 沒有指定外觀（[Skins] 區段的 Path 鍵），無法繪製視窗。",
    .not_saved_without_mouse = "滑鼠未連接，未儲存任何設定。請連接滑鼠後重新儲存。",
    .info_title = "提示",
    .warning_title = "警告",
    .needs_graphical_session =
        "p330 需要圖形工作階段（X11 或 Wayland），此處沒有：DISPLAY 和 WAYLAND_DISPLAY 皆未設定。"
        "p330ctl 不需圖形工作階段即可變更相同的設定。",
    .folder_busy =
        "資料夾忙碌中：另一個 p330 或 p330ctl 已佔用它 {seconds} 秒。未做任何變更，請重試。",
    .mouse_busy = "滑鼠忙碌中：另一個程式正在使用它。未傳送任何設定，請稍後重試。",
    .overwrite_changed_elsewhere =
        "載入此設定檔後，另一個程式變更了它的檔案。\n仍要儲存並覆寫該變更嗎？",
    .changed_elsewhere_not_saved =
        "儲存時另一個程式變更了此設定檔的檔案：未儲存任何內容。再次儲存將覆寫該變更。",
    .mouse_in_use = "遊戲滑鼠正被另一個程式使用。該程式釋放滑鼠後將立即連接。",
    .drop_edits_for_other_profile =
        "目前顯示的設定有未儲存的變更。\n載入所選配置並放棄這些變更嗎？",
    .close_with_unsaved_edits = "目前顯示的設定有未儲存的變更。\n關閉前儲存這些變更嗎？",
    .discard = "放棄",
    .reset_replaces_settings =
        "恢復將以出廠預設設定取代此設定檔的設定；滑鼠已連接時還會覆寫已儲存的設定。\n仍要恢復嗎？",
};

}  // namespace

const UiTexts& ui_texts(Language language) {
    return pick(language, kEnglish, kSimplified, kTraditional);
}

}  // namespace p330
