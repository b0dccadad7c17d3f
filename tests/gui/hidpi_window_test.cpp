// Run with the tests at twice the pixel density (QT_SCALE_FACTOR=2): the window shows the
// skin's 2x images where the 1x layout puts its elements, doubled, and clicks work at window
// pixels.

#include <gtest/gtest.h>

#include <QImageReader>
#include <cmath>

#include "gui/layout/panel_layout.h"
#include "window_fixture.h"

namespace p330 {
namespace {

using namespace layout;

using HiDpiWindowTest = test::WindowTest;

QRect doubled(const Rect& r) {
    return {r.left * 2, r.top * 2, r.width() * 2, r.height() * 2};
}

// The share of r (doubled) whose pixels show name@2x.png of the skin (labels cover the rest).
double sharp_share(const QImage& shown, const Rect& r, const QString& skin, QString name) {
    const QImage image =
        QImage(skin + name.insert(name.size() - 4, "@2x")).convertToFormat(QImage::Format_RGB32);
    const QRect at = doubled(r);
    if (image.size() != at.size()) return 0;
    int same = 0;
    for (int y = 0; y < at.height(); ++y)
        for (int x = 0; x < at.width(); ++x)
            same += shown.pixel(at.left() + x, at.top() + y) == image.pixel(x, y) ? 1 : 0;
    return double(same) / (at.width() * at.height());
}

TEST_F(HiDpiWindowTest, TheSharpImagesShowWhereTheLayoutPutsThemDoubled) {
    ASSERT_EQ(window().devicePixelRatio(), 2);
    const QString skin = data_.path() + "/Skins/Graphite";
    QImage shown = window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(kWindowRect.width() * 2, kWindowRect.height() * 2));
    std::vector<std::pair<Rect, QString>> clickable = {{kFrontTab.rect, kTabSelected},
                                                       {kSideTab.rect, kTabIdle}};
    for (const Element* e : kHoverable) clickable.emplace_back(e->rect, e->normal);
    for (int n = 1; n <= kButtonCount; ++n)
        clickable.emplace_back(kFrontCallouts[n - 1],
                               QString("/Mouse/Front/F-%1-normal.png").arg(n));
    for (const auto& [rect, image] : clickable)
        EXPECT_GT(sharp_share(shown, rect, skin, image), 0.75) << qPrintable(image);

    // The mouse picture is drawn anew, not the 1x window (main.png) enlarged pixel by pixel.
    const QImage enlarged = QImage(skin + kBackground.normal)
                                .copy(QRect(kMouseArea.rect.left, kMouseArea.rect.top,
                                            kMouseArea.rect.width(), kMouseArea.rect.height()))
                                .scaled(doubled(kMouseArea.rect).size())
                                .convertToFormat(QImage::Format_RGB32);
    const QImage mouse = shown.copy(doubled(kMouseArea.rect));
    double sum = 0;
    for (int y = 0; y < mouse.height(); ++y)
        for (int x = 0; x < mouse.width(); ++x)
            sum += std::pow(qGray(mouse.pixel(x, y)) - qGray(enlarged.pixel(x, y)), 2);
    EXPECT_GT(std::sqrt(sum / (mouse.width() * mouse.height())), 2.0);

    // Panels open by clicks at 1x coordinates, at the heights of their 1x images.
    const int dpi_top = kRightPanels[kDpi].initial_top;
    click(right_header(dpi_top));
    const int dpi_body = QImageReader(skin + kRightPanels[kDpi].body).size().height();
    const int lighting_top = dpi_top + kHeaderHeight + dpi_body + kPanelGap;
    click(right_header(lighting_top));
    const int body_top = lighting_top + kHeaderHeight;
    click(lighting::row(body_top, 1).marker);
    EXPECT_EQ(record().light_mode, 2);
    shown = window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(sharp_share(shown, right_header(lighting_top), skin, kHeaderImage), 0.6);
    const int light_body = QImageReader(skin + kRightPanels[kLighting].body).size().height();
    EXPECT_GT(sharp_share(shown, {kRightLeft, body_top, kRightRight, body_top + light_body}, skin,
                          kRightPanels[kLighting].body),
              0.5);
}

}  // namespace
}  // namespace p330
