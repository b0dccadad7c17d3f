#include "gui/app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace p330::gui {

QTranslator* load_qt_translations(Language language) {
    if (language == Language::kEnglish || QCoreApplication::instance() == nullptr) return nullptr;
    const QLocale locale(language == Language::kSimplifiedChinese ? QStringLiteral("zh_CN")
                                                                  : QStringLiteral("zh_TW"));
    // "qt" brings qtbase's catalogue, the one the widgets' dialogs use.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

}  // namespace p330::gui
