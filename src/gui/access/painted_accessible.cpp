#include "gui/access/painted_accessible.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "gui/access/focus_ring.h"

namespace p330::gui {

namespace {

FocusRing* ring_of(const QObject* object) {
    return object->findChild<FocusRing*>(QString(), Qt::FindDirectChildrenOnly);
}

constexpr const char* kAnnouncement = "p330-announcement";  // the window's alert, by id

QAccessibleInterface* announcement_of(const QWidget* w) {
    const QVariant id = w->property(kAnnouncement);
    return id.isValid() ? QAccessible::accessibleInterface(id.toUInt()) : nullptr;
}

// The last balloon: an alert whose name is its text; it shows each time one is announced.
class Announcement : public QAccessibleInterface {
  public:
    explicit Announcement(QWidget* w) : window_(w) {}
    QString said;

    bool isValid() const override { return window_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return window_ ? QAccessible::queryAccessibleInterface(window_) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? said : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return window_ ? window_->frameGeometry() : QRect(); }
    QAccessible::Role role() const override { return QAccessible::AlertMessage; }
    QAccessible::State state() const override { return {}; }

  private:
    QPointer<QWidget> window_;
};

QRect to_global(const QWidget* owner, const layout::Rect& r) {
    return {owner->mapToGlobal(QPoint(r.left, r.top)), QSize(r.width(), r.height())};
}

// The painted stops come first, then the window's real controls as Qt knows them.
class PaintedWindow : public QAccessibleWidget {
  public:
    // The main window is a window; dialogs and the panels over the main window are dialogs.
    explicit PaintedWindow(QWidget* w)
        : QAccessibleWidget(
              w, w->parentWidget() != nullptr ? QAccessible::Dialog : QAccessible::Window) {}

    int childCount() const override {
        return painted_count() + static_cast<int>(real_children().size());
    }
    QAccessibleInterface* child(int index) const override {
        FocusRing* ring = ring_of(widget());
        const int painted = painted_count();
        if (index < painted) return ring->element(painted_id(index));
        const QList<QAccessibleInterface*> real = real_children();
        return index - painted < real.size() ? real.at(index - painted) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < painted_count(); ++i) {
            if (ring_of(widget())->element(painted_id(i)) == child) return i;
        }
        const QList<QAccessibleInterface*> real = real_children();
        if (child != nullptr && child == announcement_of(widget()))
            return painted_count() + static_cast<int>(real.size());
        const auto at = real.indexOf(const_cast<QAccessibleInterface*>(child));
        return at < 0 ? -1 : painted_count() + static_cast<int>(at);
    }
    QAccessibleInterface* focusChild() const override {
        FocusRing* ring = ring_of(widget());
        if (ring != nullptr && widget()->hasFocus() && ring->current() != nullptr &&
            ring->current()->widget == nullptr)
            return ring->element(ring->current_id());
        return QAccessibleWidget::focusChild();
    }

  private:
    // The real controls, without those that only show what a painted stop already says.
    QList<QAccessibleInterface*> real_children() const {
        QList<QAccessibleInterface*> real;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* c = QAccessibleWidget::child(i);
            if (c != nullptr && c->object() != nullptr &&
                c->object()->property(kDecoration).toBool())
                continue;
            real << c;
        }
        return real;
    }
    int painted_count() const {
        const FocusRing* ring = ring_of(widget());
        if (ring == nullptr) return 0;
        int n = 0;
        for (const FocusStop& s : ring->stops()) n += s.widget == nullptr ? 1 : 0;
        return n;
    }
    int painted_id(int index) const {
        for (const FocusStop& s : ring_of(widget())->stops()) {
            if (s.widget == nullptr && index-- == 0) return s.id;
        }
        return -1;
    }
};

class StopElement : public QAccessibleInterface,
                    public QAccessibleValueInterface,
                    public QAccessibleActionInterface {
  public:
    StopElement(FocusRing* ring, int id) : ring_(ring), id_(id) {}

    const FocusStop* stop() const { return ring_ ? ring_->find(id_) : nullptr; }

    bool isValid() const override { return ring_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return ring_ ? ring_->owner()->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return ring_ ? QAccessible::queryAccessibleInterface(ring_->owner()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        const FocusStop* s = stop();
        if (s == nullptr) return {};
        switch (t) {
            case QAccessible::Name: return s->name;
            case QAccessible::Value:
            case QAccessible::Description:  // what AT-SPI clients read beside the name
                if (s->value_text) return s->value_text();
                if (s->value) return QString::number(s->value->get()) + s->value->unit;
                return {};
            default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const FocusStop* s = stop();
        return s == nullptr ? QRect() : to_global(ring_->owner(), s->rect);
    }
    QAccessible::Role role() const override {
        const FocusStop* s = stop();
        return s == nullptr ? QAccessible::NoRole : s->role;
    }
    QAccessible::State state() const override {
        QAccessible::State st;
        const FocusStop* s = stop();
        if (s == nullptr) {
            st.invisible = true;
            return st;
        }
        st.focusable = true;
        st.focused = ring_->owner()->hasFocus() && ring_->current_id() == id_;
        st.disabled = !s->press && !s->value && !s->open;
        if (s->checked) {
            st.checkable = true;
            st.checked = s->checked();
        }
        if (s->expanded) {
            st.expandable = true;
            st.expanded = s->expanded();
            st.collapsed = !st.expanded;
        }
        if (s->open) st.hasPopup = true;
        return st;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        const FocusStop* s = stop();
        if (type == QAccessible::ValueInterface && s != nullptr && s->value)
            return static_cast<QAccessibleValueInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // Value.
    QVariant currentValue() const override {
        const FocusStop* s = stop();
        return s != nullptr && s->value ? QVariant(s->value->get()) : QVariant();
    }
    void setCurrentValue(const QVariant& value) override {
        if (ring_ && !ring_->blocked()) ring_->set_value(id_, qRound(value.toDouble()));
    }
    QVariant maximumValue() const override {
        const FocusStop* s = stop();
        if (s == nullptr || !s->value) return {};
        return s->value->choices.empty() ? s->value->max : s->value->choices.back();
    }
    QVariant minimumValue() const override {
        const FocusStop* s = stop();
        if (s == nullptr || !s->value) return {};
        return s->value->choices.empty() ? s->value->min : s->value->choices.front();
    }
    QVariant minimumStepSize() const override {
        const FocusStop* s = stop();
        return s != nullptr && s->value && s->value->choices.empty() ? s->value->step : 1;
    }

    // Actions.
    QStringList actionNames() const override {
        const FocusStop* s = stop();
        QStringList names;
        if (s == nullptr) return names;
        if (s->press || s->open) names << (s->checked ? toggleAction() : pressAction());
        if (s->open) names << showMenuAction();
        if (s->value) names << increaseAction() << decreaseAction();
        names << setFocusAction();
        return names;
    }
    void doAction(const QString& name) override {
        const FocusStop* s = stop();
        if (s == nullptr || ring_ == nullptr) return;
        // The caller has its answer at once; what the action does (a dialog it opens, say)
        // follows from the event loop, as after a click.
        if (name == setFocusAction()) {
            ring_->act_later(id_, [id = id_](FocusRing& r) { r.focus(id); });
        } else if (name == showMenuAction() || ((name == pressAction()) && s->open)) {
            ring_->act_later(id_, [id = id_](FocusRing& r) {
                r.focus(id);
                if (const FocusStop* now = r.find(id); now != nullptr && now->open) {
                    const std::function<void()> open = now->open;
                    open();
                }
            });
        } else if (name == pressAction() || name == toggleAction()) {
            ring_->act_later(id_, [id = id_](FocusRing& r) { r.press(id); });
        } else if (s->value && (name == increaseAction() || name == decreaseAction())) {
            const int steps = name == increaseAction() ? 1 : -1;
            ring_->act_later(id_, [id = id_, steps](FocusRing& r) {
                if (const FocusStop* now = r.find(id); now != nullptr && now->value)
                    r.set_value(id, now->value->stepped(steps));
            });
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QPointer<FocusRing> ring_;
    int id_;
};

QAccessibleInterface* painted_window_factory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || ring_of(widget) == nullptr) return nullptr;
    return new PaintedWindow(widget);
}

}  // namespace

QAccessibleInterface* make_stop_accessible(FocusRing* ring, int id) {
    return new StopElement(ring, id);
}

void announce(QWidget* window, const QString& text) {
    if (window == nullptr || !QAccessible::isActive()) return;
    auto* alert = static_cast<Announcement*>(announcement_of(window));
    if (alert == nullptr) {
        alert = new Announcement(window);
        window->setProperty(kAnnouncement, QAccessible::registerAccessibleInterface(alert));
        QAccessibleEvent created(alert, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&created);
    }
    alert->said = text;
    QAccessibleEvent renamed(alert, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(alert, QAccessible::ObjectShow);  // what screen readers speak
    QAccessible::updateAccessibility(&shown);
}

void install_painted_accessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(painted_window_factory);
}

}  // namespace p330::gui
