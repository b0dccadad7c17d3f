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
    // The bottom buttons. Save is called only when its lock is clear; the owner calls
    // save_finished() once the upload it started has ended (at once when it started none).
    std::function<void()> on_save;
    std::function<void()> on_reset;
    std::function<void()> on_cancel;  // the window hides itself afterwards
    // "Config", "Macro Manager" and the help button: filled by the dialogs that open there.
    std::function<void()> on_config;
    std::function<void()> on_macro_manager;

    // The Save lock clears when the upload has ended and 2000 ms have passed since the click.
    void save_finished();
    // The wait cursor, shown while an upload or a reset runs.
    void set_busy(bool busy);
    // After a Reset: transient controls closed, every panel collapsed, upper page, front view.
    void reset_main_view();
    // Without a tray the hide button minimises, so the window can always be brought back.
    void set_hide_minimises(bool minimises) { hide_minimises_ = minimises; }
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
    bool hide_minimises_ = false;
    ImageButton* thumb_ = nullptr;
};

}  // namespace p330::gui
