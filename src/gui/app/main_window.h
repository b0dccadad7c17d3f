#pragma once
// The main window: frameless and painted from the skin onto one canvas. It shows the splash
// first and the main view after it; closing it only hides it. A click runs the action the
// layout tables give the element under it (the same action the keyboard and screen readers
// run); what nothing takes drags the window.

#include <QTimer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/lang/language.h"
#include "core/model/settings_record.h"
#include "core/settings/settings_catalogue.h"
#include "gui/access/focus_stop.h"
#include "gui/layout/accordion.h"
#include "gui/layout/focus_order.h"
#include "gui/layout/main_layout.h"
#include "gui/skin/skin_canvas.h"

namespace p330::gui {

class FocusRing;
class ImageButton;
class Panel;
class ButtonRowsPanel;
class SensitivityPanel;
class DpiPanel;
class ScrollPanel;
class FunctionLists;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // The window edits `record` and `labels`; both outlive it. The buttons' macros come from
    // record_ini.
    MainWindow(const QString& skin_dir, TextColour colour, Language language,
               SettingsRecord& record, std::array<std::string, kButtonCount>& labels,
               std::filesystem::path record_ini);
    ~MainWindow() override;

    // The splash: start.png, a splash screen to the window manager.
    void show_splash();
    // The splash's end: main.png centred in the screen's available area, the main view, in a
    // new top-level of the given type (Qt::Tool where a tray brings it back, else Qt::Window).
    void show_main_view(Qt::WindowType type);
    // The tray's restore and a second start: shown, un-minimised and raised. On Wayland the
    // compositor raises it when given activation_token, the asking start's xdg-activation token.
    void bring_back(const QString& activation_token = {});
    // Hidden where the tray brings it back, else minimised to its taskbar entry.
    void hide_or_minimise();
    // Paints the main view again with the panels as they are, front view (after a reload).
    void redraw_main_view();
    // After a Reset: transient controls closed, every panel collapsed, upper page, front view.
    void reset_main_view();
    // Edit boxes, swatches, the thumb (and the lists that open from the boxes) go away.
    void close_transient_controls();

    bool main_view_shown() const { return main_view_shown_; }
    const QImage& canvas() const { return canvas_.image(); }
    ImageButton* thumb() const { return thumb_; }

    // The title bar's close button and the tray's Exit.
    std::function<void()> on_exit;
    // The bottom buttons. Save is called only when its lock is clear; the owner calls
    // save_finished() once the upload it started has ended (at once when it started none).
    std::function<void()> on_save;
    std::function<void()> on_reset;
    std::function<void()> on_cancel;  // the window then redraws and hides itself
    // "Config", "Macro Manager", the help button and the button boxes: filled by the dialogs
    // and lists that open there.
    std::function<void()> on_config;
    std::function<void()> on_macro_manager;
    std::function<void(bool open)> on_help;
    // The first paint of the splash, for start-up measurements.
    std::function<void()> on_first_paint;

    // The Save lock clears when the upload has ended and 2000 ms have passed since the click.
    void save_finished();
    bool save_locked() const { return save_locked_; }
    // The wait cursor, shown while an upload or a reset runs.
    void set_busy(bool busy);
    // Without a tray the hide button minimises, so the window can always be brought back.
    void set_hide_minimises(bool minimises) { hide_minimises_ = minimises; }
    // How long the pointer rests on an element before it shows its hover look.
    void set_hover_delay_ms(int ms) { hover_delay_ms_ = ms; }
    // Whether the pointer rests on an element whose hover look is still to come.
    bool hover_pending() const { return hover_timer_.isActive(); }

    // The navigation state, for the owner and tests.
    bool right_expanded(int panel) const { return right_expanded_[panel]; }
    bool header_visible(int panel) const { return right_column_.visible[panel]; }
    layout::Rect right_header(int panel) const;
    layout::Page page() const { return page_; }
    bool front_view() const { return front_view_; }
    layout::LeftColumn left_column() const;
    DpiPanel& dpi_panel() const;
    ScrollPanel& scroll_panel() const;
    FunctionLists& function_lists() const { return *lists_; }
    // The keyboard's stops and the current one (see main_window_stops.cpp).
    FocusRing& focus_ring() const { return *focus_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    static bool wayland();
    // Painting.
    void paint_fixed_elements();
    void paint_element(const layout::Element& e, bool over);
    void show_view(bool front);
    // Button n (1..8) in its hover look on the mouse picture, the others idle; 0: all idle.
    void highlight_button(int n);
    void layout_left_column();
    void layout_right_column();
    void create_thumb();
    void full_paint();
    void flush();  // copies what changed to the window

    // Clicks: what the layout tables place under the point runs its action; the panels take
    // the rest.
    bool dispatch(layout::Point p);  // false: start a window drag
    std::vector<std::pair<layout::Rect, layout::Action>> click_targets() const;
    void perform(layout::Action action);  // what a click on the element does
    void close_help();
    bool click_right_column(layout::Point p);
    void toggle_right(int panel);
    void page_to(int thumb_top);
    void start_drag();

    // The keyboard: stops in reading order, each acting by a click where the pointer would.
    FocusStops focus_stops();
    std::optional<FocusStop> row_stop(const layout::MainStop& row);  // none: its box is not made
    QString control_name(SettingId id) const;
    StopValue level_value(SettingId id, std::function<layout::Point(int)> point_of_level);
    void click_at(layout::Point p);
    void open_list_from_keyboard(int button);

    // Hover.
    int hover_target(layout::Point p) const;  // kHoverable index, 100 + box row, or -1
    void show_hover();
    void restore_hover();

    SkinCanvas canvas_;
    const UiTexts& texts_;
    SettingsRecord& record_;
    std::array<std::string, kButtonCount>& labels_;

    std::unique_ptr<ButtonRowsPanel> rows_;
    std::unique_ptr<FunctionLists> lists_;
    std::unique_ptr<SensitivityPanel> sensitivity_;
    std::array<std::unique_ptr<Panel>, layout::kRightPanelCount> right_;
    layout::RightHeights right_heights_{};

    // Navigation.
    bool front_view_ = true;
    bool assignment_expanded_ = false;
    bool sensitivity_expanded_ = false;
    layout::RightFlags right_expanded_{};
    layout::RightColumn right_column_;
    layout::Page page_ = layout::Page::kUpper;
    bool help_open_ = false;

    // Save lock: set by a click, cleared by both the timer and the end of the upload.
    bool save_locked_ = false;
    bool save_timer_running_ = false;
    bool save_running_ = false;
    QTimer save_timer_;

    // Hover.
    std::array<bool, 7> hover_{};
    std::array<bool, kButtonCount> box_hover_{};
    int hover_candidate_ = -1;
    int hover_delay_ms_ = 10;
    QTimer hover_timer_;

    bool main_view_shown_ = false;
    bool measured_ = false;
    Language language_;  // its fonts are loaded with the main view: the splash has no text
    bool painted_ = false;
    bool hide_minimises_ = false;
    bool minimised_ = false;  // by the hide button or Cancel, and not brought back since
    ImageButton* thumb_ = nullptr;
    FocusRing* focus_ = nullptr;  // a child: made first, so screen readers find it
};

}  // namespace p330::gui
