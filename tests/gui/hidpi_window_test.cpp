// Built into the tests that run at twice the pixel density: panels opened by clicks at window
// pixels show the skin's 2x images where the 1x images' sizes put them.

#include <gtest/gtest.h>

#include <QImageReader>

#include "gui/layout/panel_layout.h"
#include "window_fixture.h"

namespace p330 {
namespace {

using namespace layout;

using HiDpiWindowTest = test::WindowTest;

QRect doubled(const Rect& r) {
    return {r.left * 2, r.top * 2, r.width() * 2, r.height() * 2};
}

TEST_F(HiDpiWindowTest, PanelsOpenAtTheirOneXPlacesWithTheSharpImages) {
    ASSERT_EQ(window().devicePixelRatio(), 2);
    const QString skin = data_.path() + "/Skins/Graphite";
    const int dpi_top = kRightPanels[kDpi].initial_top;
    click(right_header(dpi_top));
    const int dpi_body = QImageReader(skin + kRightPanels[kDpi].body).size().height();
    const int lighting_top = dpi_top + kHeaderHeight + dpi_body + kPanelGap;
    click(right_header(lighting_top));
    const int body_top = lighting_top + kHeaderHeight;
    click(lighting::row(body_top, 1).marker);
    EXPECT_EQ(record().light_mode, 2);

    const QImage shown = window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.width(), kWindowRect.width() * 2);
    EXPECT_GT(
        test::shown_share(shown, doubled(right_header(lighting_top)), skin + "/ItemBK@2x.png"),
        0.6);
    const int light_body = QImageReader(skin + kRightPanels[kLighting].body).size().height();
    const Rect body{kRightLeft, body_top, kRightRight, body_top + light_body};
    EXPECT_GT(test::shown_share(shown, doubled(body), skin + "/Lighting/BK_Lighting@2x.png"), 0.5);
}

}  // namespace
}  // namespace p330
