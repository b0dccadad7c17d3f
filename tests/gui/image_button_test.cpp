#include "gui/skin/image_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWidget>

namespace p330::gui {
namespace {

class ImageButtonTest : public ::testing::Test {
  protected:
    ImageButtonTest() {
        parent.resize(1000, 650);
        QImage image(7, 114, QImage::Format_ARGB32);
        image.fill(qRgba(47, 183, 245, 255));
        button = new ImageButton(image, image, &parent);
        button->setGeometry(984, 32, 7, 114);
        parent.show();
    }

    void send(QEvent::Type type, int global_y) {
        const QPointF global(987, global_y);
        QMouseEvent event(type, button->mapFromGlobal(global), global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }

    QWidget parent;
    ImageButton* button;
};

TEST_F(ImageButtonTest, DragMovesWithinTheTrackAndIgnoresAStepPastALimitWhole) {
    QSignalSpy moved(button, &ImageButton::thumb_moved);
    const int y0 = button->mapToGlobal(QPoint(3, 50)).y();
    send(QEvent::MouseButtonPress, y0);
    send(QEvent::MouseMove, y0 - 1);  // top would be 31: not above 31, ignored
    EXPECT_EQ(button->y(), 32);
    send(QEvent::MouseMove, y0 + 100);  // from y0 - 1: down 101
    EXPECT_EQ(button->y(), 133);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 133);
    EXPECT_EQ(ImageButton::shared_top, 133);
    // Bottom 133 + 114 = 247; a step of 349 would put it at 596: ignored whole, not clamped.
    send(QEvent::MouseMove, y0 + 100 + 349);
    EXPECT_EQ(button->y(), 133);
    send(QEvent::MouseMove, y0 + 100 + 349 + 1);  // from the last point: just one pixel more
    EXPECT_EQ(button->y(), 134);
    send(QEvent::MouseButtonRelease, y0);
    send(QEvent::MouseMove, y0 + 500);  // released: no drag
    EXPECT_EQ(button->y(), 134);
}

TEST_F(ImageButtonTest, DoubleClickStartsADrag) {
    const int y0 = button->mapToGlobal(QPoint(3, 50)).y();
    send(QEvent::MouseButtonDblClick, y0);
    send(QEvent::MouseMove, y0 + 10);
    EXPECT_EQ(button->y(), 42);
}

TEST_F(ImageButtonTest, LooksAreBuiltOnceFromTheImages) {
    QImage one(1, 1, QImage::Format_ARGB32);
    one.setPixel(0, 0, qRgba(100, 0, 255, 200));
    const QRgb hot = brightened(one).pixel(0, 0);
    EXPECT_EQ(qRed(hot), 117);  // 1.05 * 100 + 0.05 * 255
    EXPECT_EQ(qGreen(hot), 12);
    EXPECT_EQ(qBlue(hot), 255);
    EXPECT_EQ(qAlpha(hot), 200);
    const QRgb grey = greyscale(one).pixel(0, 0);
    EXPECT_EQ(qRed(grey), 58);  // 0.3 * 100 + 0.11 * 255
    EXPECT_EQ(qRed(grey), qBlue(grey));
    EXPECT_FALSE(button->look(ImageButton::kStandard).isNull());
    EXPECT_TRUE(button->caches_built());

    ImageButton empty(QImage(), QImage(), &parent);
    EXPECT_TRUE(empty.look(ImageButton::kStandard).isNull());
    EXPECT_FALSE(empty.caches_built());
}

}  // namespace
}  // namespace p330::gui
