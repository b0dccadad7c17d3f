#include "gui/app/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <utility>
#include <vector>

#include "core/lang/access_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/buttons/function_lists.h"
#include "gui/panels/angle_snap_panel.h"
#include "gui/panels/button_rows_panel.h"
#include "gui/panels/dpi_panel.h"
#include "gui/panels/lighting_panel.h"
#include "gui/panels/report_rate_panel.h"
#include "gui/panels/scroll_panel.h"
#include "gui/panels/sensitivity_panel.h"
#include "gui/panels/speed_panel.h"
#include "gui/skin/image_button.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

constexpr int kSaveLockMs = 2000;
constexpr int kBoxHoverBase = 100;

Point point_of(const QPointF& p) {
    return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

}  // namespace

MainWindow::MainWindow(const QString& skin_dir, TextColour colour, Language language,
                       SettingsRecord& record, std::array<std::string, kButtonCount>& labels,
                       std::filesystem::path record_ini)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::SplashScreen),
      canvas_(skin_dir, colour, WindowFonts{}),
      texts_(ui_texts(language)),
      record_(record),
      labels_(labels),
      language_(language) {
    focus_ = new FocusRing(
        this, [this] { return focus_stops(); }, canvas_.text_colour());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setWindowTitle(qtext(texts_.product_title));

    const PanelContext context{canvas_, record_, texts_, this};
    rows_ = std::make_unique<ButtonRowsPanel>(context, labels_);
    lists_ = std::make_unique<FunctionLists>(
        FunctionListContext{this, record_, labels_, language, skin_dir, colour,
                            canvas_.fonts().normal, std::move(record_ini)});
    lists_->repaint_box = [this](int button, bool chosen) {
        if (rows_->expanded()) {
            rows_->paint_box(button, chosen ? ButtonRowsPanel::BoxLook::kChosen
                                            : ButtonRowsPanel::BoxLook::kIdle);
        }
        highlight_button(0);
        flush();
    };
    lists_->highlight = [this](int n) {
        highlight_button(n);
        flush();
    };
    sensitivity_ = std::make_unique<SensitivityPanel>(context);
    right_[kDpi] = std::make_unique<DpiPanel>(context);
    right_[kLighting] = std::make_unique<LightingPanel>(context);
    right_[kReportRate] = std::make_unique<ReportRatePanel>(context);
    right_[kMouseSpeed] = std::make_unique<SpeedPanel>(context, &UiTexts::mouse_speed,
                                                       setting(SettingId::kPointerSpeed));
    right_[kDoubleClick] = std::make_unique<SpeedPanel>(context, &UiTexts::double_click_speed,
                                                        setting(SettingId::kDoubleClick));
    right_[kScrollSpeed] = std::make_unique<ScrollPanel>(context);
    right_[kAngleSnap] = std::make_unique<AngleSnapPanel>(context);
    for (int i = 0; i < kRightPanelCount; ++i) right_column_.top[i] = kRightPanels[i].initial_top;
    right_column_.visible.fill(true);

    save_timer_.setSingleShot(true);
    connect(&save_timer_, &QTimer::timeout, this, [this] {
        save_timer_running_ = false;
        if (!save_running_) save_locked_ = false;
    });
    hover_timer_.setSingleShot(true);
    connect(&hover_timer_, &QTimer::timeout, this, &MainWindow::show_hover);
}

MainWindow::~MainWindow() {
    delete focus_;  // before the panels its stops read
    focus_ = nullptr;
}

DpiPanel& MainWindow::dpi_panel() const {
    return static_cast<DpiPanel&>(*right_[kDpi]);
}

ScrollPanel& MainWindow::scroll_panel() const {
    return static_cast<ScrollPanel&>(*right_[kScrollSpeed]);
}

Rect MainWindow::right_header(int panel) const {
    return layout::right_header(right_column_.top[panel]);
}

LeftColumn MainWindow::left_column() const {
    return layout::left_column(assignment_expanded_, rows_->body_size().height());
}

// Splash and main view ---------------------------------------------------------------------------

void MainWindow::show_splash() {
    canvas_.reset(load_skin_image(canvas_.path(QStringLiteral("/start.png"))));
    // Size only, and fixed (a tiling compositor floats it): the system places the splash.
    setFixedSize(canvas_.valid() ? canvas_.size() : QSize(1, 1));
    show();
    // Started by a launcher on Wayland: its token ends the launch feedback and lets the
    // compositor focus the window.
    if (wayland() && qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN")) activateWindow();
}

void MainWindow::show_main_view(Qt::WindowType type) {
    if (!measured_) {
        // Loading the fonts (CJK faces included) is left until the splash is on screen.
        canvas_.set_fonts(main_window_fonts(language_));
        lists_->set_font(canvas_.fonts().normal);
        rows_->measure_body();
        sensitivity_->measure_body();
        for (int i = 0; i < kRightPanelCount; ++i) {
            right_[i]->measure_body();
            right_heights_[i] = right_[i]->body_size().height();
        }
        measured_ = true;
    }
    canvas_.reset(kBackground.normal);
    const QSize size = canvas_.valid() ? canvas_.size() : QSize(1, 1);
    const QRect area =
        screen() ? screen()->availableGeometry() : QRect(0, 0, size.width(), size.height());
    // A top-level of its own, typed and sized before it is first shown: on Wayland only the
    // compositor places a window, and it places a new one whole on the output (a resized
    // splash would grow from its corner); window managers read the type once, at the map.
    const bool shown = isVisible();
    hide();
    destroy();
    setWindowFlags(Qt::FramelessWindowHint | type);
    setFixedSize(size);  // minimum = maximum: tiling compositors float it
    move(area.left() + (area.width() - size.width()) / 2,
         area.top() + (area.height() - size.height()) / 2);
    create();  // the keyboard's stops watch the new window's events from the first paint on
    main_view_shown_ = true;
    full_paint();
    if (shown) show();
}

bool MainWindow::wayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void MainWindow::bring_back(const QString& activation_token) {
    if (!wayland()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        activateWindow();
        minimised_ = false;
        return;
    }
    // A Wayland client can neither un-minimise nor raise itself. Hidden or minimised, the
    // window comes back as a new top-level, which the compositor places and focuses; the
    // token of the start that asked for it lets the compositor raise it where it is.
    if (!activation_token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activation_token.toUtf8());  // Qt uses it once
    if (!isVisible() || minimised_) {
        hide();
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
    }
    minimised_ = false;
    if (!activation_token.isEmpty()) activateWindow();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Brought back by the desktop (its task bar, its window list): no longer minimised.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) minimised_ = false;
}

void MainWindow::redraw_main_view() {
    if (!main_view_shown_) return;
    full_paint();
}

void MainWindow::reset_main_view() {
    if (!main_view_shown_) return;
    close_transient_controls();
    front_view_ = true;
    assignment_expanded_ = false;
    sensitivity_expanded_ = false;
    right_expanded_.fill(false);
    page_ = Page::kUpper;
    full_paint();
}

void MainWindow::close_transient_controls() {
    lists_->close_all();
    for (auto& panel : right_) panel->close_controls();
    delete thumb_;
    thumb_ = nullptr;
}

void MainWindow::full_paint() {
    if (!canvas_.valid()) return;  // without a canvas the window paints nothing
    restore_hover();
    paint_fixed_elements();
    show_view(true);
    layout_left_column();
    layout_right_column();
    create_thumb();
    flush();
}

void MainWindow::paint_element(const Element& e, bool over) {
    const char* image = over && e.over != nullptr ? e.over : e.normal;
    if (image != nullptr) canvas_.draw(image, e.rect.top_left());
    if (e.label != nullptr) canvas_.label(e.rect, qtext(texts_, e.label), e.indent);
}

void MainWindow::paint_fixed_elements() {
    canvas_.reset(kBackground.normal);
    for (const Element* e : {&kLogo, &kScrollTrack, &kHelpButton, &kHideButton, &kCloseButton,
                             &kResetButton, &kCancelButton, &kSaveButton, &kConfigButton}) {
        paint_element(*e, false);
    }
}

void MainWindow::show_view(bool front) {
    front_view_ = front;
    paint_element(kMouseArea, false);
    canvas_.draw(front ? kTabSelected : kTabIdle, kFrontTab.rect.top_left());
    canvas_.draw(front ? kTabIdle : kTabSelected, kSideTab.rect.top_left());
    canvas_.label(kFrontTab.rect, qtext(texts_, kFrontTab.label), kCentred);
    canvas_.label(kSideTab.rect, qtext(texts_, kSideTab.label), kCentred);
    canvas_.draw(front ? kFrontPictureImage : kSidePictureImage,
                 front ? kFrontPicture : kSidePicture);
    highlight_button(lists_->open_button() + 1);
}

void MainWindow::highlight_button(int n) {
    const auto& callouts = front_view_ ? kFrontCallouts : kSideCallouts;
    for (int i = 1; i <= kButtonCount; ++i) {
        const QString image = QStringLiteral("/Mouse/%1/%2-%3-%4.png")
                                  .arg(front_view_ ? "Front" : "Side")
                                  .arg(front_view_ ? "F" : "S")
                                  .arg(i)
                                  .arg(i == n ? "over" : "normal");
        canvas_.draw(image, callouts[i - 1].top_left());
    }
}

void MainWindow::layout_left_column() {
    canvas_.draw(kLeftBackgroundImage, kLeftBackground);
    const LeftColumn c = left_column();
    rows_->paint(c.button_assignment.top, assignment_expanded_);
    canvas_.draw(kMacroManagerItem.normal, c.macro_manager.top_left());
    canvas_.label(c.macro_manager, qtext(texts_, kMacroManagerItem.label), kHeaderIndent);
    sensitivity_->paint(c.sensitivity.top, sensitivity_expanded_);
    box_hover_.fill(false);
    if (!assignment_expanded_) lists_->close_all();  // the lists work only while it shows
}

void MainWindow::layout_right_column() {
    // The whole column is laid out again: its edit boxes are made anew where they show.
    right_[kScrollSpeed]->close_controls();
    if (page_ == Page::kLower) right_[kDpi]->close_controls();
    right_column_ = page_ == Page::kUpper ? upper_page(right_expanded_, right_heights_)
                                          : lower_page(right_expanded_, right_heights_);
    canvas_.draw(kRightBackgroundImage, kRightBackground);
    for (int i = 0; i < kRightPanelCount; ++i) {
        if (right_column_.visible[i]) {
            right_[i]->paint(right_column_.top[i], right_expanded_[i]);
        } else {
            right_[i]->close_controls();
        }
    }
    if (right_column_.thumb_to_top && thumb_ != nullptr) {
        thumb_->move(kThumbStart.left, kThumbStart.top);
        ImageButton::shared_top = kThumbStart.top;
    }
    // The thumb shows the page however it was reached: by a drag, or by Tab reaching a header
    // of the other page.
    if (thumb_ != nullptr) {
        const bool lower_half = thumb_->y() - kTrackTop >= (kTrackBottom - kTrackTop) / 2;
        if ((page_ == Page::kLower) != lower_half) {
            const int top =
                page_ == Page::kLower ? kTrackBottom - kThumbStart.height() : kThumbStart.top;
            thumb_->move(kThumbStart.left, top);
            ImageButton::shared_top = top;
        }
    }
}

void MainWindow::create_thumb() {
    if (thumb_ != nullptr) return;
    QImage image(skin_scale() > 1 ? QStringLiteral(":/p330/thumb@2x.png")
                                  : QStringLiteral(":/p330/thumb.png"));
    image.setDevicePixelRatio(skin_scale());
    thumb_ = new ImageButton(image, image, this);
    thumb_->setFocusPolicy(Qt::NoFocus);  // the keyboard pages by reaching a hidden header
    thumb_->setAccessibleName(qtext(access_texts(language_).page));
    thumb_->setGeometry(to_qrect(kThumbStart));
    thumb_->set_background(canvas_.copy(to_qrect(kThumbStart)));
    ImageButton::shared_top = kThumbStart.top;
    connect(thumb_, &ImageButton::thumb_moved, this, &MainWindow::page_to);
    // Pressed without the pointer (a screen reader's Press): the other page, as the thumb
    // dragged to the other end of its track shows it. A drag ends in a click too: not that.
    connect(thumb_, &QAbstractButton::clicked, this, [this] {
        if (thumb_->dragging()) return;
        page_to(page_ == Page::kUpper ? kTrackBottom - kThumbStart.height() : kThumbStart.top);
    });
    thumb_->show();
}

void MainWindow::flush() {
    const QRect dirty = canvas_.take_dirty();
    if (!dirty.isEmpty()) update(dirty);
    if (focus_ != nullptr)
        focus_->refresh();  // what was drawn may have opened, closed or moved a stop
}

void MainWindow::paintEvent(QPaintEvent* event) {
    if (canvas_.valid()) {
        QPainter painter(this);
        canvas_.paint(painter, event->rect());  // only what changed
        if (focus_ != nullptr) focus_->paint_mark(painter);
    }
    if (!painted_) {
        painted_ = true;
        if (on_first_paint) on_first_paint();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; the program lives on in the tray, or without one in
    // the taskbar, so the window can always be brought back.
    event->ignore();
    hide_or_minimise();
}

void MainWindow::hide_or_minimise() {
    if (hide_minimises_) {
        showMinimized();
        minimised_ = true;
    } else {
        hide();
    }
}

// Clicks ----------------------------------------------------------------------------------------

void MainWindow::start_drag() {
    if (windowHandle() != nullptr) windowHandle()->startSystemMove();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const bool consumed = main_view_shown_ && dispatch(point_of(event->position()));
    flush();
    // What nothing took moves the window, as a caption would (also headers and sliders).
    if (!consumed) start_drag();
}

// The elements a click reaches by their place, each with its action: the fixed ones, then the
// left column's headers where the column has put them now.
std::vector<std::pair<Rect, Action>> MainWindow::click_targets() const {
    std::vector<std::pair<Rect, Action>> targets;
    targets.reserve(kFixedClickable.size() + 3);
    for (const Element* e : kFixedClickable) targets.emplace_back(e->rect, e->action);
    const LeftColumn left = left_column();
    targets.emplace_back(left.button_assignment, kButtonAssignmentHeader.action);
    targets.emplace_back(left.macro_manager, kMacroManagerItem.action);
    targets.emplace_back(left.sensitivity, kSensitivityHeader.action);
    return targets;
}

bool MainWindow::dispatch(Point p) {
    for (const auto& [rect, action] : click_targets()) {
        if (rect.contains(p)) {
            perform(action);
            return true;
        }
    }
    close_help();
    click_right_column(p);
    if (sensitivity_expanded_) sensitivity_->click(p);
    lists_->close_outside(p);
    // The button boxes take the click whole: no drag starts from them.
    if (const int row = rows_->box_at(p); row >= 0) {
        lists_->toggle(row);
        return true;
    }
    for (int i = 0; i < kButtonCount; ++i) {
        if (dropdown_box(i).contains(p)) return true;
    }
    return false;
}

void MainWindow::close_help() {
    if (!help_open_) return;
    help_open_ = false;
    if (on_help) on_help(false);
}

void MainWindow::perform(Action action) {
    // The bottom buttons leave the help open; anything else closes it first.
    if (action != Action::kHelp && action != Action::kReset && action != Action::kCancel &&
        action != Action::kSave)
        close_help();
    switch (action) {
        case Action::kNone: return;
        case Action::kReset:
            if (on_reset) on_reset();
            return;
        case Action::kCancel:
            if (on_cancel) on_cancel();
            // The saved values show at once: a minimised window comes back without a reload.
            close_transient_controls();
            redraw_main_view();
            hide_or_minimise();
            return;
        case Action::kSave:
            if (save_locked_) return;
            save_locked_ = true;
            save_timer_running_ = true;
            save_running_ = true;
            save_timer_.start(kSaveLockMs);
            if (on_save) {
                on_save();
            } else {
                save_finished();
            }
            return;
        case Action::kHelp:
            help_open_ = !help_open_;
            if (on_help) on_help(help_open_);
            return;
        case Action::kHide:
            restore_hover();
            hide_or_minimise();
            return;
        case Action::kClose:
            if (on_exit) on_exit();
            return;
        case Action::kConfig:
            if (on_config) on_config();
            return;
        case Action::kFrontTab:
        case Action::kSideTab: show_view(action == Action::kFrontTab); return;
        case Action::kButtonAssignment:
            assignment_expanded_ = !assignment_expanded_;
            layout_left_column();
            return;
        case Action::kMacroManager:
            if (on_macro_manager) on_macro_manager();
            return;
        case Action::kSensitivity:
            sensitivity_expanded_ = !sensitivity_expanded_;
            layout_left_column();
            return;
    }
}

bool MainWindow::click_right_column(Point p) {
    for (int i = 0; i < kRightPanelCount; ++i) {
        if (right_column_.visible[i] && right_header(i).contains(p)) {
            toggle_right(i);
            return true;
        }
    }
    for (int i = 0; i < kRightPanelCount; ++i) {
        if (right_column_.visible[i] && right_expanded_[i] && right_[i]->click(p)) return true;
    }
    return false;
}

void MainWindow::toggle_right(int panel) {
    right_expanded_[panel] = !right_expanded_[panel];
    layout_right_column();
}

void MainWindow::page_to(int thumb_top) {
    if (!main_view_shown_) return;
    const std::optional<Page> page = page_for_thumb(right_expanded_, thumb_top, page_);
    if (!page) return;
    page_ = *page;
    layout_right_column();
    flush();
}

// Save lock and cursor ----------------------------------------------------------------------------

void MainWindow::save_finished() {
    save_running_ = false;
    if (!save_timer_running_) save_locked_ = false;
}

void MainWindow::set_busy(bool busy) {
    if (busy) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
}

// Hover -------------------------------------------------------------------------------------------

int MainWindow::hover_target(Point p) const {
    for (int i = 0; i < static_cast<int>(kHoverable.size()); ++i) {
        if (kHoverable[i]->rect.contains(p)) return i;
    }
    const int row = rows_->box_at(p);
    return row >= 0 ? kBoxHoverBase + row : -1;
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!main_view_shown_) return;
    const int target = hover_target(point_of(event->position()));
    if (target >= 0) {
        hover_candidate_ = target;
        hover_timer_.start(hover_delay_ms_);
        return;
    }
    hover_timer_.stop();
    hover_candidate_ = -1;
    restore_hover();
    flush();
}

void MainWindow::leaveEvent(QEvent*) {
    hover_timer_.stop();
    hover_candidate_ = -1;
    restore_hover();
    flush();
}

void MainWindow::show_hover() {
    const int target = hover_candidate_;
    if (target < 0 || !isVisible()) return;
    if (target >= kBoxHoverBase) {
        const int row = target - kBoxHoverBase;
        if (!rows_->expanded()) return;
        for (int i = 0; i < kButtonCount; ++i) {
            if (box_hover_[i] && i != row) {
                rows_->paint_box(i, ButtonRowsPanel::BoxLook::kIdle);
                box_hover_[i] = false;
            }
        }
        if (!box_hover_[row]) rows_->paint_box(row, ButtonRowsPanel::BoxLook::kHover);
        box_hover_[row] = true;
    } else {
        const Element& e = *kHoverable[target];
        for (int i = 0; i < static_cast<int>(kHoverable.size()); ++i) {
            if (hover_[i] && i != target && kHoverable[i]->hover == e.hover &&
                e.hover == HoverGroup::kBottom) {
                paint_element(*kHoverable[i], false);
                hover_[i] = false;
            }
        }
        if (!hover_[target]) paint_element(e, true);
        hover_[target] = true;
    }
    flush();
}

void MainWindow::restore_hover() {
    for (int i = 0; i < static_cast<int>(kHoverable.size()); ++i) {
        if (hover_[i]) paint_element(*kHoverable[i], false);
        hover_[i] = false;
    }
    for (int i = 0; i < kButtonCount; ++i) {
        if (!box_hover_[i]) continue;
        box_hover_[i] = false;
        if (!rows_->expanded() || lists_->open_button() == i) continue;
        rows_->paint_box(i, ButtonRowsPanel::BoxLook::kIdle);
        if (lists_->open_button() < 0) highlight_button(0);
    }
}

}  // namespace p330::gui
