#pragma once
// The main window: frameless and painted from the skin onto one canvas. It shows the
// splash first and the main view after it; closing it only hides it.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "gui/skin/skin_folder.h"
#include "gui/skin/ui_font.h"

namespace p330::gui {

class ImageButton;

struct MainViewTexts {
    QString reset, cancel, save, config, front, side;
    std::array<QString, 3> left_items;
    std::array<QString, 7> right_headers;
};

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    MainWindow(QString skin_dir, TextColour colour, WindowFonts fonts, MainViewTexts texts);

    void show_splash();
    // The splash's end: main.png centred in the screen's available area, the main view.
    void show_main_view();
    // Paints the main view again over the current canvas (after a reload).
    void redraw_main_view();
    bool main_view_shown() const { return main_view_shown_; }
    const QImage& canvas() const { return canvas_; }
    ImageButton* thumb() const { return thumb_; }

    // The title bar's close button and the tray's Exit.
    std::function<void()> on_exit;
    // The first paint of the splash, for start-up measurements.
    std::function<void()> on_first_paint;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void paint_main_view();
    void draw_label(const QRect& r, const QString& text, int indent);
    QString asset(const char* rel) const { return skin_dir_ + QLatin1String(rel); }

    QString skin_dir_;
    TextColour colour_;
    WindowFonts fonts_;
    MainViewTexts texts_;
    QImage canvas_;
    bool main_view_shown_ = false;
    bool painted_ = false;
    ImageButton* thumb_ = nullptr;
};

}  // namespace p330::gui
