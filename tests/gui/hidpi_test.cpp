// The window on a screen of twice the pixel density, as the user gets it: p330 started at
// QT_SCALE_FACTOR 1 and 2, each screenshot compared with the skin's images and the layout.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "core/model/settings_record.h"
#include "fixtures/run_program.h"
#include "gui/layout/main_layout.h"
#include "gui_fixtures.h"

namespace p330 {
namespace {

using namespace layout;

QImage screenshot(const test::ShippedDataFolder& data, const char* scale) {
    const QString shot = data.path() + "/shot-" + scale + ".png";
    qputenv("QT_SCALE_FACTOR", scale);
    const test::ProgramRun run = test::run_program(
        P330_GUI_PATH, {"--device", "sim", "--data-dir", data.path().toStdString(), "--screenshot",
                        shot.toStdString(), "--exit-after-screenshot"});
    qunsetenv("QT_SCALE_FACTOR");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

double rmse(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += d * d;
        }
    return std::sqrt(sum / (3.0 * a.width() * a.height()));
}

QRect doubled(const Rect& r) {
    return {r.left * 2, r.top * 2, r.width() * 2, r.height() * 2};
}

TEST(HiDpiTest, AtScaleTwoTheSharpImagesAreShownWhereTheLayoutPutsThemDoubled) {
    const test::ShippedDataFolder data;
    const QImage one = screenshot(data, "1");
    const QImage two = screenshot(data, "2");
    ASSERT_FALSE(one.isNull());
    ASSERT_EQ(two.size(), one.size() * 2);

    const QString skin = data.path() + "/Skins/Graphite";
    struct Clickable {
        Rect rect;
        QString image;
    };
    std::vector<Clickable> clickable = {{kFrontTab.rect, kTabSelected}, {kSideTab.rect, kTabIdle}};
    for (const Element* e : kHoverable) clickable.push_back({e->rect, e->normal});
    for (int n = 1; n <= kButtonCount; ++n)
        clickable.push_back(
            {kFrontCallouts[n - 1], QString("/Mouse/Front/F-%1-normal.png").arg(n)});
    for (const Clickable& c : clickable) {
        QString sharp = skin + c.image;
        sharp.insert(sharp.size() - 4, "@2x");
        const QRect at_one(c.rect.left, c.rect.top, c.rect.width(), c.rect.height());
        EXPECT_GT(test::shown_share(one, at_one, skin + c.image), 0.75) << qPrintable(c.image);
        EXPECT_GT(test::shown_share(two, doubled(c.rect), sharp), 0.75) << qPrintable(c.image);
    }

    // The mouse picture is drawn anew, not the 1x screen enlarged pixel by pixel.
    const Rect& area = kMouseArea.rect;
    const QRect art(area.left, area.top, area.width(), area.height());
    const QImage enlarged =
        one.copy(art).scaled(art.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_GT(rmse(two.copy(doubled(kMouseArea.rect)), enlarged), 2.0);
}

}  // namespace
}  // namespace p330
