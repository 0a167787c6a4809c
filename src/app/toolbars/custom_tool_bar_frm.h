// TCustomToolBarFrm and CustomizeToolBar: the "Select Buttons" dialog, which chooses and orders
// the buttons of a live tool bar.
#pragma once

#include "settings/forms/stream_position_form.h"

#include <QList>
#include <QListWidget>
#include <functional>

class QPushButton;
class TAction;
class TActionList;
class TLabel;
class TToolBar;

// A list of the dialog: one entry per action (its caption and image), from which entries are
// dragged onto the other list or within it.
class TToolbarActionListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TToolbarActionListBox(QWidget* Parent);

    // The action of entry Row; null for none.
    TAction* EntryAction(int Row) const;
    // A new entry for Action before Row (at the end when Row is past it).
    void InsertEntry(int Row, TAction* Action);
    // The first entry selected, when there is one.
    void SelectFirst();

    // An entry may not be dragged (the current list's trailing separator).
    std::function<bool(int Row)> CanDrag;
    // An entry of Source was dropped on this list at Row (-1: below the entries).
    std::function<void(TToolbarActionListBox* Source, int SourceRow, int Row)> OnDropEntry;

    // Pixels the pointer moves with the left button down before an entry is dragged.
    static constexpr int DragThreshold = 10;

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    QPoint pressPos_;
    int pressRow_ = -1;
};

// Every change is shown on the tool bar at once; closing keeps it (the layout is saved with the
// window's). The position is kept under the key it is made with.
class TCustomToolBarFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    // Defaults: the layout "R&eset" restores.
    TCustomToolBarFrm(TComponent* AOwner, TToolBar& ToolBar, TActionList& Actions, const QString& Key,
                      const QList<TAction*>& Defaults);

    TLabel* Label1;
    TToolbarActionListBox* lbAllToolbarActions;
    TLabel* Label2;
    TToolbarActionListBox* lbCurrentToolbar;
    TActionList* ActionList;
    TAction* actCustomAdd;
    TAction* actCustomRemove;
    TAction* actCustomMoveUp;
    TAction* actCustomMoveDown;
    TAction* actCustomReset;
    QPushButton* btnAdd;
    QPushButton* btnRemove;
    QPushButton* btnMoveUp;
    QPushButton* btnMoveDown;
    QPushButton* btnReset;
    QPushButton* Button1;
    QPushButton* Button3;

    // Fills both lists from the tool bar and selects their first entries.
    void FillLists();
    // An entry of Source dropped on Target at Row (-1: below the entries): from the available
    // buttons onto the current ones adds it there, within the current ones moves it there, from
    // the current ones onto the available ones removes it.
    void DropEntry(TToolbarActionListBox* Source, int SourceRow, TToolbarActionListBox* Target, int Row);

private:
    void actCustomAddExecute();
    void actCustomRemoveExecute();
    // Moves the selected entry of the current list by Step (-1 up, 1 down).
    void MoveSelected(int Step);
    void MoveEntry(int From, int To);
    void actCustomResetExecute();
    // The tool bar shows the current list.
    void RebuildToolBar();
    // An entry other than the trailing separator is selected in the current list.
    bool CurrentEntrySelected() const;

    TToolBar& toolBar_;
    TActionList& actions_;
    QList<TAction*> defaults_;
};

// Runs the dialog on ToolBar (whose buttons are bound to actions of Actions) with its position
// kept under Key.
void CustomizeToolBar(TToolBar& ToolBar, TActionList& Actions, const QString& Key, const QList<TAction*>& Defaults);
