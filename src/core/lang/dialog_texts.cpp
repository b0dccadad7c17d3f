#include "core/lang/dialog_texts.h"

namespace p330 {
const SingleKeyDialogTexts& single_key_dialog_texts(Language language) {
    static const SingleKeyDialogTexts en{"Ok", "Cancel", "Please enter a key"};
    static const SingleKeyDialogTexts chs{"确定", "取消", "请输入一个按键"};
    static const SingleKeyDialogTexts cht{"確定", "取消", "請輸入一個按鍵"};
    return pick(language, en, chs, cht);
}

const ComboKeyDialogTexts& combo_key_dialog_texts(Language language) {
    static const ComboKeyDialogTexts en{"OK", "Cancel"};
    static const ComboKeyDialogTexts chs{"确定", "取消"};
    static const ComboKeyDialogTexts cht{"確定", "取消"};
    return pick(language, en, chs, cht);
}

const MacroManagerTexts& macro_manager_texts(Language language) {
    static const MacroManagerTexts en{"OK",
                                      "Cancel",
                                      "Macro Manager",
                                      "Select Macro",
                                      "Key Press Sequence",
                                      "Record Option",
                                      "Record delays between key commands",
                                      "Loop Times",
                                      "New",
                                      "Delete",
                                      "Start Recording",
                                      "Stop Recording",
                                      "Press Ctrl+Break key to stop recording",
                                      "Insert the left Button",
                                      "Insert the middle Button",
                                      "Insert the right button",
                                      "Insert Delay",
                                      "Warning",
                                      "Macro numbers up to 12.",
                                      "Macro",
                                      "The macro of these buttons was deleted; they are back "
                                      "on their default function: button",
                                      "Another program changed this macro in record.ini since "
                                      "it was shown.\nSave anyway and overwrite that change?",
                                      "Uses {used} of the mouse's {max} pairs",
                                      "Too long: the mouse keeps {max} pairs, so the last "
                                      "{dropped} of {total} key events are cut"};
    static const MacroManagerTexts chs{"确定",
                                       "取消",
                                       "宏管理器",
                                       "选择宏",
                                       "按鍵序列",
                                       "录制选项",
                                       "记录按键动作间的延迟",
                                       "循环次数",
                                       "新建",
                                       "刪除",
                                       "开始录制",
                                       "停止录制",
                                       "按 Ctrl+Break 停止录制",
                                       "插入鼠标左键",
                                       "插入鼠标中键",
                                       "插入鼠标右键",
                                       "插入延时",
                                       "警告",
                                       "最多可以新建12个宏。",
                                       "宏",
                                       "以下按键的宏已被删除，已恢复为默认功能：按键",
                                       "显示此宏后，另一个程序在 record.ini 中更改了它。\n"
                                       "仍要保存并覆盖该更改吗？",
                                       "已用 {used}/{max} 对",
                                       "过长：鼠标只保存 {max} 对，{total} 个按键动作中的最后 "
                                       "{dropped} 个将被截去"};
    static const MacroManagerTexts cht{"確定",
                                       "取消",
                                       "巨集管理器",
                                       "選擇巨集",
                                       "按鍵序列",
                                       "錄製選項",
                                       "記錄按鍵動作間的延遲",
                                       "迴圈次數",
                                       "新建",
                                       "刪除",
                                       "開始錄製",
                                       "停止錄製",
                                       "按Ctrl+Break 停止錄製",
                                       "插入滑鼠左鍵",
                                       "插入滑鼠中鍵",
                                       "插入滑鼠右鍵",
                                       "插入延時",
                                       "警告",
                                       "最多可以新建12個巨集。",
                                       "巨集",
                                       "以下按鍵的巨集已被刪除，已恢復為預設功能：按鍵",
                                       "顯示此巨集後，另一個程式在 record.ini 中變更了它。\n"
                                       "仍要儲存並覆寫該變更嗎？",
                                       "已用 {used}/{max} 對",
                                       "過長：滑鼠只保存 {max} 對，{total} 個按鍵動作中的最後 "
                                       "{dropped} 個將被截去"};
    return pick(language, en, chs, cht);
}

const MacroKeyDialogTexts& macro_key_dialog_texts(Language language) {
    static const MacroKeyDialogTexts en{
        {"Repeat a specified number of times or press any key to end",
         "Repeat until press any key to end", "Repeat until the key is released"},
        "Ok",
        "Cancel",
        "Please select a macro"};
    static const MacroKeyDialogTexts chs{
        {"重复指定次数或按任意键结束", "重复直到按任意键结束", "重复直到该按键松开结束"},
        "确定",
        "取消",
        "请从列表框选择一个宏"};
    static const MacroKeyDialogTexts cht{
        {"重複指定次數或按任意鍵結束", "重複直到按任意鍵結束", "重複直到該按鍵鬆開結束"},
        "確定",
        "取消",
        "請從清單方塊選擇一個巨集"};
    return pick(language, en, chs, cht);
}

const ProfileManagerTexts& profile_manager_texts(Language language) {
    static const ProfileManagerTexts en{
        "Configuration",
        "New",
        "Delete",
        "Edit",
        "Copy",
        "Load",
        "Save",
        "Warning",
        "Profile numbers up to 6.",
        "Another program changed the profile list while this list was open: nothing was saved. "
        "Open the list again to see that change."};
    static const ProfileManagerTexts chs{
        "配置",
        "新建",
        "删除",
        "编辑",
        "复制",
        "加载",
        "保存",
        "警告",
        "最多可以存储6个配置。",
        "此列表打开期间，另一个程序更改了配置列表：未保存任何内容。请重新打开列表查看该更改。"};
    static const ProfileManagerTexts cht{
        "配置",
        "新建",
        "刪除",
        "編輯",
        "複製",
        "載入",
        "保存",
        "警告",
        "最多可以存儲6個配置。",
        "此清單開啟期間，另一個程式變更了配置清單：未儲存任何內容。請重新開啟清單查看該變更。"};
    return pick(language, en, chs, cht);
}

const HelpDialogTexts& help_dialog_texts(Language language) {
    static const HelpDialogTexts en{"Ok", "Cancel"};
    static const HelpDialogTexts chs{"确定", "取消"};
    static const HelpDialogTexts cht{"確定", "取消"};
    return pick(language, en, chs, cht);
}

}  // namespace p330
