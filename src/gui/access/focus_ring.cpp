#include "gui/access/focus_ring.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "gui/access/painted_accessible.h"

namespace p330::gui {

namespace {

QRect mark_rect(const layout::Rect& r) {
    const int o = layout::kFocusMarkOutset;
    return {r.left - o, r.top - o, r.width() + 2 * o - 1, r.height() + 2 * o - 1};
}

bool is_enter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

}  // namespace

int StopValue::snapped(int v) const {
    if (!choices.empty()) {
        return *std::min_element(choices.begin(), choices.end(),
                                 [v](int a, int b) { return std::abs(a - v) < std::abs(b - v); });
    }
    const int clamped = std::clamp(v, min, max);
    return min + (clamped - min + step / 2) / step * step;
}

int StopValue::stepped(int steps) const {
    const int now = get();
    if (!choices.empty()) {
        const auto at = std::find(choices.begin(), choices.end(), snapped(now));
        const int index = static_cast<int>(at - choices.begin()) + steps;
        return choices[static_cast<std::size_t>(
            std::clamp(index, 0, static_cast<int>(choices.size()) - 1))];
    }
    return std::clamp(snapped(now) + steps * step, min, max);
}

int StopValue::page_steps() const {
    const int count = choices.empty() ? (max - min) / step : static_cast<int>(choices.size()) - 1;
    return std::max(1, count / 4);
}

std::optional<int> value_for_key(const StopValue& value, int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Down: return value.stepped(-1);
        case Qt::Key_Right:
        case Qt::Key_Up: return value.stepped(1);
        case Qt::Key_PageDown: return value.stepped(-value.page_steps());
        case Qt::Key_PageUp: return value.stepped(value.page_steps());
        case Qt::Key_Home: return value.choices.empty() ? value.min : value.choices.front();
        case Qt::Key_End: return value.choices.empty() ? value.max : value.choices.back();
        default: return std::nullopt;
    }
}

FocusRing::FocusRing(QWidget* owner, std::function<FocusStops()> build, QColor mark)
    : QObject(owner), owner_(owner), build_(std::move(build)), mark_(mark) {
    setObjectName(QStringLiteral("focus-ring"));
    owner->installEventFilter(this);
    install_painted_accessibility();
}

FocusRing::~FocusRing() {
    for (const auto& [id, accessible] : elements_)
        QAccessible::deleteAccessibleInterface(accessible);
}

void FocusRing::refresh() {
    FocusStops old = std::move(stops_);
    stops_ = build_();
    watch_widgets();
    if (current_ >= 0 && find(current_) == nullptr && !stops_.empty()) {
        const int at = std::min(current_index_, static_cast<int>(stops_.size()) - 1);
        current_ = stops_[static_cast<std::size_t>(at)].id;
    }
    if (QAccessible::isActive()) {
        // A screen reader learns which elements came and went (a panel opened or closed).
        for (const FocusStop& s : stops_) {
            const bool was = std::any_of(old.begin(), old.end(),
                                         [&](const FocusStop& o) { return o.id == s.id; });
            if (!was && s.widget == nullptr) {
                QAccessibleEvent event(element(s.id), QAccessible::ObjectCreated);
                QAccessible::updateAccessibility(&event);
            }
        }
        for (const FocusStop& o : old) {
            if (o.widget == nullptr && find(o.id) == nullptr && elements_.count(o.id) != 0) {
                QAccessibleEvent event(element(o.id), QAccessible::ObjectHide);
                QAccessible::updateAccessibility(&event);
            }
        }
    }
    tell_changes();
    update_mark();
}

FocusRing::Told FocusRing::told_now(const FocusStop& stop) const {
    Told t;
    t.name = stop.name;
    if (stop.value_text) {
        t.description = stop.value_text();
    } else if (stop.value) {
        t.description = QString::number(stop.value->get()) + stop.value->unit;
    }
    if (stop.value) t.value = stop.value->get();
    t.checked = stop.checked && stop.checked();
    t.expanded = stop.expanded && stop.expanded();
    return t;
}

void FocusRing::tell_changes() {
    if (!QAccessible::isActive()) return;
    for (const FocusStop& s : stops_) {
        if (s.widget != nullptr) continue;  // Qt tells of its own controls
        Told now = told_now(s);
        const auto was = told_.find(s.id);
        if (was == told_.end()) {  // new: a screen reader reads it whole when it comes to it
            told_.emplace(s.id, std::move(now));
            continue;
        }
        Told& before = was->second;
        QAccessibleInterface* e = element(s.id);
        if (now.name != before.name) {
            QAccessibleEvent event(e, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
        if (now.description != before.description) {
            QAccessibleEvent event(e, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        }
        if (now.value && now.value != before.value) {
            QAccessibleValueChangeEvent event(e, *now.value);
            QAccessible::updateAccessibility(&event);
        }
        if (now.checked != before.checked || now.expanded != before.expanded) {
            QAccessible::State changed;
            changed.checked = now.checked != before.checked;
            changed.expanded = changed.collapsed = now.expanded != before.expanded;
            QAccessibleStateChangeEvent event(e, changed);
            QAccessible::updateAccessibility(&event);
        }
        before = std::move(now);
    }
}

void FocusRing::watch_widgets() {
    // Tab is taken where the window receives it, before any control (a list, a box) would
    // move the focus by Qt's own order.
    QWindow* window = owner_->window()->windowHandle();
    if (window != nullptr && watched_window_ != window) {
        window->installEventFilter(this);
        watched_window_ = window;
    }
    for (const FocusStop& s : stops_) {
        if (s.widget == nullptr) continue;
        s.widget->removeEventFilter(this);  // not twice
        s.widget->installEventFilter(this);
        if (s.widget->accessibleName().isEmpty()) s.widget->setAccessibleName(s.name);
    }
}

const FocusStop* FocusRing::find(int id) const {
    const int i = index_of(id);
    return i < 0 ? nullptr : &stops_[static_cast<std::size_t>(i)];
}

int FocusRing::index_of(int id) const {
    for (std::size_t i = 0; i < stops_.size(); ++i) {
        if (stops_[i].id == id) return static_cast<int>(i);
    }
    return -1;
}

bool FocusRing::step(bool forward) {
    if (stops_.empty()) refresh();
    if (stops_.empty()) return false;
    const int count = static_cast<int>(stops_.size());
    const int at = index_of(current_);
    int next = 0;
    if (at < 0) {
        next = forward ? 0 : count - 1;
    } else {
        next = (at + (forward ? 1 : count - 1)) % count;
    }
    const FocusStop& target = stops_[static_cast<std::size_t>(next)];
    if (!forward && at >= 0 && target.reveal) {
        // Backwards into a part brought into view: its last stop before this one, which the
        // part's stops shown with it may now be (Shift+Tab retraces Tab).
        const int from = current_;
        const std::function<void()> reveal = target.reveal;
        reveal();
        refresh();
        const int back = index_of(from);
        if (back >= 0) {
            const int shown = static_cast<int>(stops_.size());
            focus(stops_[static_cast<std::size_t>((back + shown - 1) % shown)].id);
            return true;
        }
        return step(false);
    }
    focus(target.id);
    return true;
}

bool FocusRing::settle() {
    if (!owner_->isVisible()) return false;
    owner_->setFocus(Qt::OtherFocusReason);
    update_mark();
    return true;
}

bool FocusRing::takes_tab_now() const {
    if (!owner_->isVisible() || stops_.empty() || (tab_paused && tab_paused())) return false;
    const QWidget* focused = QApplication::focusWidget();
    if (focused == owner_) return true;
    // Nothing has the focus yet: the window's own ring starts.
    if (focused == nullptr) return owner_->isWindow() && owner_->isActiveWindow();
    return std::any_of(stops_.begin(), stops_.end(), [focused](const FocusStop& s) {
        return s.widget != nullptr && s.widget == focused;
    });
}

void FocusRing::focus(int id) {
    const FocusStop* stop = find(id);
    if (stop == nullptr) return;
    if (stop->reveal) {
        const std::function<void()> reveal = stop->reveal;  // the stops are rebuilt meanwhile
        reveal();                                           // lays the window out anew
        refresh();
        stop = find(id);
        if (stop == nullptr) return;
    }
    set_current(id);
    current_index_ = index_of(id);
    if (stop->widget != nullptr) {
        stop->widget->setFocus(Qt::TabFocusReason);
    } else if (owner_->hasFocus()) {
        announce_focus();
    } else {
        owner_->setFocus(Qt::TabFocusReason);  // told as the focus comes (eventFilter)
    }
    update_mark();
}

void FocusRing::set_current(int id) {
    current_ = id;
}

bool FocusRing::key(QKeyEvent* event) {
    const FocusStop* stop = current();
    if (stop == nullptr || stop->widget != nullptr || !owner_->hasFocus()) return false;
    const int key = event->key();
    if (stop->open && (is_enter(key) || key == Qt::Key_Down)) {
        const std::function<void()> open = stop->open;  // the stops are rebuilt meanwhile
        open();
        return true;
    }
    if (is_enter(key) && stop->press) {
        press(stop->id);
        return true;
    }
    if (stop->value) {
        if (const std::optional<int> v = value_for_key(*stop->value, key)) {
            set_value(stop->id, *v);
            return true;
        }
    }
    return false;
}

void FocusRing::press(int id) {
    const FocusStop* stop = find(id);
    if (stop == nullptr || !stop->press) return;
    if (stop->reveal) {  // pressed where the pointer could not: brought into view first
        const std::function<void()> reveal = stop->reveal;
        reveal();
        refresh();
        stop = find(id);
        if (stop == nullptr || !stop->press) return;
    }
    const std::function<void()> press = stop->press;  // the stops may be rebuilt meanwhile
    press();
    refresh();
}

bool FocusRing::blocked() const {
    // A click could not reach a window under a modal dialog: nor can a screen reader's action
    // (a Cancel there would hide the dialog with it and leave it holding the keyboard).
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != owner_->window();
}

void FocusRing::act_later(int id, std::function<void(FocusRing&)> action) {
    if (blocked()) return;
    QPointer<FocusRing> ring(this);
    QTimer::singleShot(0, this, [ring, id, action = std::move(action)] {
        if (ring != nullptr && !ring->blocked() && ring->find(id) != nullptr) action(*ring);
    });
}

void FocusRing::set_value(int id, int value) {
    const FocusStop* stop = find(id);
    if (stop == nullptr || !stop->value) return;
    const StopValue target = *stop->value;  // the stops are rebuilt while it is set
    target.set(target.snapped(value));
    refresh();
}

void FocusRing::announce_focus() {
    if (!QAccessible::isActive() || current() == nullptr || current()->widget != nullptr) return;
    QAccessibleEvent event(element(current_), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* FocusRing::element(int id) {
    auto it = elements_.find(id);
    if (it == elements_.end()) {
        QAccessibleInterface* made = make_stop_accessible(this, id);
        it = elements_.emplace(id, QAccessible::registerAccessibleInterface(made)).first;
    }
    return QAccessible::accessibleInterface(it->second);
}

void FocusRing::paint_mark(QPainter& painter) const {
    const FocusStop* stop = current();
    if (stop == nullptr || stop->widget != nullptr || !owner_->hasFocus()) return;
    painter.save();
    QPen pen(mark_, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(mark_rect(stop->rect));
    painter.restore();
}

void FocusRing::update_mark() {
    owner_->update(mark_rect(marked_).adjusted(-1, -1, 1, 1));
    const FocusStop* stop = current();
    marked_ = stop != nullptr ? stop->rect : layout::Rect{};
    owner_->update(mark_rect(marked_).adjusted(-1, -1, 1, 1));
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == owner_) {
        // The window has the focus back (a list closed, a dialog ended): once Qt has told of
        // the window, the painted stop that holds the focus is told as the focused element.
        if (event->type() == QEvent::FocusIn) {
            QPointer<FocusRing> ring(this);
            QTimer::singleShot(0, this, [ring] {
                if (ring != nullptr && ring->owner_->hasFocus()) ring->announce_focus();
            });
        }
        return false;
    }
    if (watched == watched_window_) {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::ShiftModifier;
        if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) || others != 0)
            return false;
        refresh();
        if (!takes_tab_now()) return false;
        return step(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
    }
    // The real controls among the stops: the focus they take by a click is the ring's too,
    // and the value keys the control itself leaves alone step the stop's value.
    const FocusStop* stop = nullptr;
    for (const FocusStop& s : stops_) {
        if (s.widget == watched) stop = &s;
    }
    if (stop == nullptr) return false;
    if (event->type() == QEvent::FocusIn) {
        set_current(stop->id);
        update_mark();
    } else if (event->type() == QEvent::KeyPress && stop->value) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            if (const std::optional<int> v = value_for_key(*stop->value, key)) {
                set_value(stop->id, *v);
                return true;
            }
        }
    }
    return false;
}

}  // namespace p330::gui
