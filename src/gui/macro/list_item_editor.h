#pragma once
// The in-place editor over a list entry: an edit box on the entry's rectangle, grown by one
// pixel each side, holding its text. Enter, Tab, a click elsewhere or the loss of focus
// commit; Esc abandons. The owner decides what a commit does, by the editor's mode.

#include <QLineEdit>
#include <functional>

class QListWidget;

namespace p330::gui {

class ListItemEditor : public QLineEdit {
    Q_OBJECT
  public:
    enum class Mode { kProfileName = 1, kDelay = 2, kMacroName = 3 };
    using Commit = std::function<void(Mode mode, int row, const QString& text)>;

    // Opens on row of list, with the list's font, focused; it deletes itself when done.
    static ListItemEditor* open(QListWidget* list, int row, Mode mode, Commit on_commit);
    // The lists' rule: a click reported on the entry reported last opens the editor there;
    // another entry is only remembered. Null when nothing opened.
    static ListItemEditor* open_on_repeat(QListWidget* list, int row, int& remembered, Mode mode,
                                          Commit on_commit);
    ~ListItemEditor() override;

    Mode mode() const { return mode_; }
    int row() const { return row_; }
    bool is_open() const { return !done_; }
    void commit();
    void abandon();

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    ListItemEditor(QListWidget* list, int row, Mode mode, Commit on_commit);
    void finish();

    int row_;
    Mode mode_;
    Commit on_commit_;
    bool done_ = false;
};

}  // namespace p330::gui
