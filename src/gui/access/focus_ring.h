#pragma once
// Keyboard focus inside a painted window: Tab and Shift+Tab walk the window's stops in reading
// order (painted elements and the real controls among them alike), the current painted stop
// carries a dotted mark in the skin's text colour, and Enter, Space and the value keys act on
// it. Screen readers see each painted stop as an element of its own (see painted_accessible.h).

#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>

#include "gui/access/focus_stop.h"

class QAccessibleInterface;
class QKeyEvent;
class QPainter;
class QWidget;

namespace p330::gui {

class FocusRing : public QObject {
    Q_OBJECT  // found by type among a window's children
        public :
        // `build` lists the owner's stops as its layout is now, in reading order.
        FocusRing(QWidget* owner, std::function<FocusStops()> build, QColor mark);
    ~FocusRing() override;
    FocusRing(const FocusRing&) = delete;
    FocusRing& operator=(const FocusRing&) = delete;

    // Lists the stops again after the layout changed; the focus stays on its stop if it is
    // still there.
    void refresh();
    const FocusStops& stops() const { return stops_; }
    const FocusStop* find(int id) const;
    const FocusStop* current() const { return find(current_); }
    int current_id() const { return current_; }

    // Tab and Shift+Tab: the next or previous stop, round the window. The ring takes the two
    // keys at its window while the focus is on one of its stops; the owner's
    // focusNextPrevChild (Qt moving the focus off a control that went away) calls settle().
    bool step(bool forward);
    // The focus back on the owner, the current stop kept.
    bool settle();
    // Moves the focus to a stop (brought into view first when hidden).
    void focus(int id);
    // Enter, Space, Down and the value keys on the current painted stop; false: not taken.
    bool key(QKeyEvent* event);

    // What a click on the stop does (a hidden stop brought into view first), and a value set
    // as the pointer would set it; both tell a screen reader what changed.
    void press(int id);
    void set_value(int id, int value);
    // A screen reader's action: run once the call that asked for it has returned, so that a
    // dialog it opens does not hold the caller.
    void act_later(int id, std::function<void(FocusRing&)> action);
    // Under a modal dialog of the program: no action of a screen reader reaches the window.
    bool blocked() const;

    // The dotted mark around the current painted stop while the owner has the focus.
    void paint_mark(QPainter& painter) const;
    // The owner's focus came or went: the mark shows or goes.
    void update_mark();

    QWidget* owner() const { return owner_; }
    // While this holds Tab is not the ring's (a macro being recorded takes it as a key).
    std::function<bool()> tab_paused;
    // The screen reader's element for a painted stop, made once per id.
    QAccessibleInterface* element(int id);
    // Tells a screen reader what changed on the painted stops since it was last told: names,
    // descriptions, values, checked and expanded states. Every refresh does, so every change
    // the window paints is told, whatever made it.
    void tell_changes();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int index_of(int id) const;
    void set_current(int id);
    void announce_focus();
    // What a screen reader was last told of a painted stop.
    struct Told {
        QString name, description;
        std::optional<int> value;
        bool checked = false, expanded = false;
    };
    Told told_now(const FocusStop& stop) const;
    std::map<int, Told> told_;
    void watch_widgets();
    bool takes_tab_now() const;

    QWidget* owner_;
    std::function<FocusStops()> build_;
    QColor mark_;
    FocusStops stops_;
    int current_ = -1;
    int current_index_ = 0;  // where the current stop was: a stop that went keeps its place
    QPointer<QObject> watched_window_;
    layout::Rect marked_{};             // where the mark was last drawn
    std::map<int, unsigned> elements_;  // stop id -> QAccessible::Id
};

// The arrow, Home, End and page keys as a change of value: the new value, or none.
std::optional<int> value_for_key(const StopValue& value, int key);

}  // namespace p330::gui
