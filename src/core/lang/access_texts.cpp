#include "core/lang/access_texts.h"

namespace p330 {

namespace {

constexpr AccessTexts kEnglishAccess = {
    "Stage {n}",    "Stage {n} DPI", "Stage {n} colour", "Help",       "Minimise", "Close",
    "Captured key", "Modifier",      "First key",        "Second key", "Page",     "Saved",
};

constexpr AccessTexts kSimplifiedAccess = {
    "第{n}档",    "第{n}档 DPI", "第{n}档颜色", "帮助",       "最小化", "关闭",
    "捕获的按键", "修饰键",      "第一个按键",  "第二个按键", "页面",   "已保存",
};

constexpr AccessTexts kTraditionalAccess = {
    "第{n}檔",    "第{n}檔 DPI", "第{n}檔顏色", "說明",       "最小化", "關閉",
    "擷取的按鍵", "修飾鍵",      "第一個按鍵",  "第二個按鍵", "頁面",   "已儲存",
};

}  // namespace

const AccessTexts& access_texts(Language language) {
    return pick(language, kEnglishAccess, kSimplifiedAccess, kTraditionalAccess);
}

}  // namespace p330
