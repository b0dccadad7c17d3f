#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "gui/app/qt_translations.h"
#include "gui/skin/skin_folder.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skinned_dialog.h"
#include "gui_fixtures.h"

namespace p330::gui {
namespace {

QString write_png(const test::TempDir& dir, const char* name, const QImage& image) {
    const QString path = QString::fromStdString((dir.path() / name).string());
    image.save(path, "PNG");
    return path;
}

TEST(SkinImageTest, PremultipliedAndBlendedSourceOver) {
    test::TempDir dir;
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 255, 255, 128));  // half-transparent white
    source.setPixel(1, 0, qRgba(10, 200, 30, 0));      // fully transparent
    const QString path = write_png(dir, "pixels.png", source);

    const QImage loaded = load_premultiplied(path);
    ASSERT_EQ(loaded.format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb half = reinterpret_cast<const QRgb*>(loaded.constScanLine(0))[0];
    EXPECT_EQ(qRed(half), 128);
    EXPECT_EQ(qGreen(half), 128);
    EXPECT_EQ(qBlue(half), 128);
    EXPECT_EQ(qAlpha(half), 128);

    QImage canvas(2, 1, QImage::Format_ARGB32_Premultiplied);
    canvas.setPixel(0, 0, qRgb(0, 0, 0));
    canvas.setPixel(1, 0, qRgb(40, 50, 60));
    ASSERT_TRUE(DrawSkinImageQuiet(canvas, path, 0, 0));
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(128, 128, 128));
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(40, 50, 60));  // the transparent pixel leaves it alone
}

TEST(SkinImageTest, MissingImageGivesOneMessagePerPaintAndNoneWhenQuiet) {
    test::CountingMessages messages;
    QImage canvas(10, 10, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    EXPECT_FALSE(DrawSkinImage(nullptr, canvas, "/no/such/skin/Enable.png", 0, 0));
    EXPECT_FALSE(DrawSkinImage(nullptr, canvas, "/no/such/skin/Enable.png", 0, 0));
    EXPECT_FALSE(DrawSkinImageQuiet(canvas, "/no/such/skin/Enable.png", 0, 0));
    EXPECT_EQ(messages.images, 2);
    EXPECT_EQ(canvas.pixel(5, 5), qRgb(0, 0, 0));
}

TEST(SkinnedDialogTest, MissingBackgroundEndsTheDialogAsCancelled) {
    test::CountingMessages messages;
    SkinnedDialog dialog;
    bool timed_out = false;
    QTimer give_up;
    give_up.setSingleShot(true);
    QObject::connect(&give_up, &QTimer::timeout, [&] {
        timed_out = true;
        dialog.done(99);
    });
    give_up.start(5000);
    EXPECT_FALSE(dialog.LoadDialogBackground("/no/such/skin/macro-key.png",
                                             "Macro Key Dialog Load background image failed!!!"));
    const int result = dialog.exec();
    EXPECT_FALSE(timed_out);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(messages.captions, QStringList{"Macro Key Dialog Load background image failed!!!"});
}

TEST(SkinnedDialogTest, BackgroundSizesTheDialog) {
    test::TempDir dir;
    QImage background(120, 80, QImage::Format_ARGB32);
    background.fill(qRgba(20, 30, 40, 255));
    SkinnedDialog dialog;
    ASSERT_TRUE(dialog.LoadDialogBackground(write_png(dir, "bg.png", background), "x"));
    EXPECT_EQ(dialog.size(), QSize(120, 80));
    EXPECT_EQ(dialog.canvas().size(), QSize(120, 80));
}

TEST(SkinFolderTest, PathMustStayInsideTheSkinsFolder) {
    EXPECT_EQ(skin_directory("/opt/p330", "Graphite"), QString("/opt/p330/Skins/Graphite"));
    EXPECT_EQ(skin_directory("/opt/p330", "Dark/Blue"), QString("/opt/p330/Skins/Dark/Blue"));
    EXPECT_FALSE(skin_directory("/opt/p330", "/etc"));
    EXPECT_FALSE(skin_directory("/opt/p330", ".."));
    EXPECT_FALSE(skin_directory("/opt/p330", "Graphite/../../.."));
    EXPECT_FALSE(skin_directory("/opt/p330", "~/skins"));

    // Where a link in Skins/ really leads decides.
    test::TempDir dir;
    const auto skins = dir.path() / "data" / "Skins";
    std::filesystem::create_directories(skins / "Graphite");
    std::filesystem::create_directories(dir.path() / "outside");
    std::filesystem::create_directory_symlink("../../outside", skins / "Escape");
    std::filesystem::create_directory_symlink("Graphite", skins / "Alias");
    const QString data = QString::fromStdString((dir.path() / "data").string());
    EXPECT_FALSE(skin_directory(data, "Escape"));
    EXPECT_FALSE(skin_directory(data, "Escape/inner"));
    EXPECT_EQ(skin_directory(data, "Alias"), data + "/Skins/Alias");
    const TextColour colour = text_colour_from_strings("300", "x", "-1");
    EXPECT_EQ(colour.red, 300 & 0xFF);
    EXPECT_EQ(colour.green, 0);
    EXPECT_EQ(colour.blue, 255);
}

}  // namespace
}  // namespace p330::gui

namespace p330::gui {
namespace {

// Qt's own dialogs speak the profile's language where Qt's translations are installed.
TEST(QtTranslationsTest, ChineseProfilesGetQtsOwnWordsAndEnglishKeepsThem) {
    EXPECT_EQ(load_qt_translations(Language::kEnglish), nullptr);
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                       QStringLiteral("/qtbase_zh_CN.qm")))
        GTEST_SKIP() << "Qt's translations are not installed";
    for (const Language language : {Language::kSimplifiedChinese, Language::kTraditionalChinese}) {
        QTranslator* loaded = load_qt_translations(language);
        ASSERT_NE(loaded, nullptr);
        // The message boxes' and file dialogs' buttons.
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QStringLiteral("Cancel"));
        QCoreApplication::removeTranslator(loaded);
        delete loaded;
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
}

}  // namespace
}  // namespace p330::gui
