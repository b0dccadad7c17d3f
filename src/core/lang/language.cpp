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
    "VELSTRA Peripheral",
    "Exit",
    "Reset",
    "Cancel",
    "Save",
    "Config",
    "Front",
    "Side",
    "Button Assignment",
    "Macro Manager",
    "X/Y Sensitivity Setting",
    "DPI Setting",
    "Lighting",
    "USB Report Rate",
    "Mouse Speed",
    "Double Click Speed",
    "Scroll Speed",
    "Angle Snap",
    "X axis",
    "Y axis",
    {"Button 1", "Button 2", "Button 3", "Button 4", "Button 5", "Button 6", "Button 7",
     "Button 8"},
    "DPI Dial Up",
    "DPI Dial Down",
    "Slow",
    "Fast",
    "The number of rows",
    "Scroll one screen",
    "Standard",
    "Respiration",
    "Neon",
    "Click",
    "Menu",
    "Mouse M Button",
    "Mouse Scroll Up",
    "Mouse Scroll Down",
    "Scroll Select",
    "IE Forward",
    "IE Backward",
    "DPI loop",
    "CPI Cycle",
    "Double Click",
    "Windows",
    "Multimedia",
    "HotKey",
    "Single Key",
    "Combo Key",
    "Macro Key",
    "Button Off",
    "Left key must be selected!",
    "The system did not detect the gaming mouse!",
    "The system detect the gaming mouse.",
    {"Switch DPI into the first stage ", "Switch DPI into the second stage ",
     "Switch DPI into the third stage ", "Switch DPI into the fourth stage ",
     "Switch DPI into the fifth stage ", "Switch DPI into the sixth stage "},
    "Switch to macro key",
    "The mouse did not receive every setting ({failed} of {total} transfers failed{not_sent}). "
    "Check the connection and save again.",
    ", {count} not sent after the mouse stopped answering",
    "This desktop has no setting for {settings}; that part of the profile is not applied here.",
    {"pointer acceleration", "pointer speed", "wheel scroll lines", "double-click time"},
    ", ",
    "The skin folder {folder} has no usable {files}, so the window cannot be drawn.",
    "The skin path \"{path}\" leads out of the skin folder {folder}, so the window cannot be "
    "drawn.",
    "The profile file cannot be read, so the window cannot be drawn: {reason}",
    "The folder {folder} for the profiles could not be set up, so the window cannot be drawn: "
    "{reason}",
    "The profile list cannot be read, so the window cannot be drawn: {reason}",
    "The profile file {file} names no skin (key Path of section [Skins]), so the window cannot "
    "be drawn.",
    "The mouse is not connected, so nothing was saved. Connect it and press Save again.",
    "Information",
    "Warning",
    "p330 needs a graphical session (X11 or Wayland), and there is none here: DISPLAY and "
    "WAYLAND_DISPLAY are not set. p330ctl works without one and changes the same settings.",
    "The data folder is busy: another p330 or p330ctl has kept it for {seconds} s. Nothing was "
    "changed; try again.",
    "The mouse is busy: another program is using it. Nothing was sent; try again in a moment.",
    "Another program changed this profile's files since they were loaded.\nSave anyway and "
    "overwrite that change?",
    "Another program changed this profile's files while this one saved: nothing was saved. Save "
    "again to overwrite that change.",
    "The gaming mouse is in use by another program. It is connected as soon as that program "
    "lets it go.",
    "The settings shown have changes that are not saved.\nLoad the chosen profile and drop "
    "them?",
    "The settings shown have changes that are not saved.\nSave them before closing?",
    "Discard",
    "Reset puts the shipped default settings in place of this profile's settings and, with the "
    "mouse connected, saves them over what is saved.\nReset anyway?",
};

const UiTexts kSimplified = {
    "Tarnic外设",
    "退出",
    "恢复",
    "取消",
    "保存",
    "配置",
    "正面",
    "侧面",
    "按钮分配",
    "宏管理器",
    "X/Y轴设置",
    "DPI 设置",
    "照明",
    "USB输出报告率",
    "鼠标速度",
    "双击速度",
    "鼠标滚轮速度",
    "角度捕捉",
    "X轴",
    "Y轴",
    {"按钮1", "按钮2", "按钮3", "按钮4", "按钮5", "按钮6", "按钮7", "按钮8"},
    "DPI 拨键上",
    "DPI 拨键下",
    "慢",
    "快",
    "一次滚动行数",
    "一次滚动一个屏幕",
    "标准模式",
    "呼吸模式",
    "霓虹模式",
    "左键",
    "右键",
    "滚轮",
    "上滚轮",
    "下滚轮",
    "滚轮选择",
    "前进方向键",
    "后退方向键",
    "DPI loop",
    "DPI切换",
    "双击",
    "Windows",
    "多媒体",
    "快捷键",
    "单键",
    "组合键",
    "宏",
    "按键关闭",
    "左键功能必须选择！",
    "系统没有检测到游戏鼠标！",
    "系统检测到游戏鼠标。",
    {"DPI切换到第一段 ", "DPI切换到第二段 ", "DPI切换到第三段 ", "DPI切换到第四段 ",
     "DPI切换到第五段 ", "DPI切换到第六段 "},
    "切换到宏",
    "鼠标未收到全部设置（{total} 次传输中有 {failed} 次失败{not_sent}）。请检查连接后重新保存。",
    "，{count} 次因鼠标停止响应而未发送",
    "此桌面没有{settings}设置，配置中的这一部分不会在此生效。",
    {"指针加速", "指针速度", "滚轮滚动行数", "双击时间"},
    "、",
    "皮肤文件夹 {folder} 中没有可用的 {files}，无法绘制窗口。",
    "皮肤路径“{path}”指向皮肤文件夹 {folder} 之外，无法绘制窗口。",
    "无法读取配置文件，无法绘制窗口：{reason}",
    "无法建立存放配置的文件夹 {folder}，无法绘制窗口：{reason}",
    "无法读取配置列表，无法绘制窗口：{reason}",
    "配置文件 {file} 没有指定皮肤（[Skins] 节的 Path 键），无法绘制窗口。",
    "鼠标未连接，未保存任何设置。请连接鼠标后重新保存。",
    "提示",
    "警告",
    "p330 需要图形会话（X11 或 Wayland），此处没有：DISPLAY 和 WAYLAND_DISPLAY 均未设置。"
    "p330ctl 无需图形会话即可更改相同的设置。",
    "数据文件夹正忙：另一个 p330 或 p330ctl 已占用它 {seconds} 秒。未做任何更改，请重试。",
    "鼠标正忙：另一个程序正在使用它。未发送任何设置，请稍后重试。",
    "载入此配置后，另一个程序更改了它的文件。\n仍要保存并覆盖该更改吗？",
    "保存时另一个程序更改了此配置的文件：未保存任何内容。再次保存将覆盖该更改。",
    "游戏鼠标正被另一个程序使用。该程序释放鼠标后将立即连接。",
    "当前显示的设置有未保存的更改。\n载入所选配置并放弃这些更改吗？",
    "当前显示的设置有未保存的更改。\n关闭前保存这些更改吗？",
    "放弃",
    "恢复将用出厂默认设置取代此配置的设置；鼠标已连接时还会覆盖已保存的设置。\n仍要恢复吗？",
};

const UiTexts kTraditional = {
    "Tarnic外設",
    "退出",
    "恢復",
    "取消",
    "保存",
    "配置",
    "正面",
    "側面",
    "按鈕分配",
    "宏管理器",
    "X/Y軸設置",
    "DPI 設置",
    "照明",
    "USB輸出報告率",
    "滑鼠移動速度",
    "滑鼠雙擊速度",
    "滑鼠滾動速度",
    "角度捕捉",
    "X軸",
    "Y軸",
    {"按鈕1", "按鈕2", "按鈕3", "按鈕4", "按鈕5", "按鈕6", "按鈕7", "按鈕8"},
    "DPI 撥鍵上",
    "DPI 撥鍵下",
    "慢",
    "快",
    "一次滾動行數",
    "一次滾動一個螢幕",
    "標準模式",
    "呼吸模式",
    "霓虹模式",
    "左鍵",
    "右鍵",
    "滾輪",
    "上滾輪",
    "下滾輪",
    "滾輪選擇",
    "前進方向鍵",
    "後退方向鍵",
    "DPI loop",
    "DPI切換",
    "双击",
    "Windows",
    "多媒體",
    "快速鍵",
    "單鍵",
    "複合鍵",
    "巨集",
    "按鍵關閉",
    "左鍵功能必須選擇！",
    "系統沒有檢測到遊戲滑鼠！",
    "系統檢測到遊戲滑鼠。",
    {"DPI切換到第一段 ", "DPI切換到第二段 ", "DPI切換到第三段 ", "DPI切換到第四段 ",
     "DPI切換到第五段 ", "DPI切換到第六段 "},
    "切換到巨集",
    "滑鼠未收到全部設定（{total} 次傳輸中有 {failed} 次失敗{not_sent}）。請檢查連線後重新儲存。",
    "，{count} 次因滑鼠停止回應而未傳送",
    "此桌面沒有{settings}設定，設定檔中的這一部分不會在此生效。",
    {"指標加速", "指標速度", "滾輪捲動行數", "按兩下時間"},
    "、",
    "外觀資料夾 {folder} 中沒有可用的 {files}，無法繪製視窗。",
    "外觀路徑「{path}」指向外觀資料夾 {folder} 之外，無法繪製視窗。",
    "無法讀取設定檔，無法繪製視窗：{reason}",
    "無法建立存放設定檔的資料夾 {folder}，無法繪製視窗：{reason}",
    "無法讀取設定檔清單，無法繪製視窗：{reason}",
    "設定檔 {file} 沒有指定外觀（[Skins] 區段的 Path 鍵），無法繪製視窗。",
    "滑鼠未連接，未儲存任何設定。請連接滑鼠後重新儲存。",
    "提示",
    "警告",
    "p330 需要圖形工作階段（X11 或 Wayland），此處沒有：DISPLAY 和 WAYLAND_DISPLAY 皆未設定。"
    "p330ctl 不需圖形工作階段即可變更相同的設定。",
    "資料夾忙碌中：另一個 p330 或 p330ctl 已佔用它 {seconds} 秒。未做任何變更，請重試。",
    "滑鼠忙碌中：另一個程式正在使用它。未傳送任何設定，請稍後重試。",
    "載入此設定檔後，另一個程式變更了它的檔案。\n仍要儲存並覆寫該變更嗎？",
    "儲存時另一個程式變更了此設定檔的檔案：未儲存任何內容。再次儲存將覆寫該變更。",
    "遊戲滑鼠正被另一個程式使用。該程式釋放滑鼠後將立即連接。",
    "目前顯示的設定有未儲存的變更。\n載入所選配置並放棄這些變更嗎？",
    "目前顯示的設定有未儲存的變更。\n關閉前儲存這些變更嗎？",
    "放棄",
    "恢復將以出廠預設設定取代此設定檔的設定；滑鼠已連接時還會覆寫已儲存的設定。\n仍要恢復嗎？",
};

}  // namespace

const UiTexts& ui_texts(Language language) {
    return pick(language, kEnglish, kSimplified, kTraditional);
}

}  // namespace p330
