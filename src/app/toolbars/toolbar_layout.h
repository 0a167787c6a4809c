// The layouts of the tool bars: rebuilding a tool bar from actions, the separator pseudo-action,
// the default layouts, and the layouts and look options kept in the registry.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TAction;
class TActionList;
class TToolBar;
class TToolButton;

// An action with this Tag stands for a separator.
constexpr int SeparatorActionTag = -5000;
// Button heights: with captions; without captions on the main tool bar; without captions on a
// pane's tool bar (whose buttons are then PaneButtonWidth wide).
constexpr int CaptionButtonHeight = 66;
constexpr int MainButtonHeight = 40;
constexpr int PaneButtonHeight = 23;
constexpr int PaneButtonWidth = 22;

// "Software\Tarnwick Software\Halyard FTP 5\Main Form\Toolbars\": the layouts' key, with a subkey
// per tool bar, and the key of the customisation dialog's position.
extern const QString ToolbarsRegKey;
extern const QString MainToolbarKey;      // "Main\"
extern const QString MyComputerToolbarKey; // "My Computer\"
extern const QString RemoteToolbarKey;    // "Remote\"
extern const QString CustomFormKey;       // "Custom Form\"

// The default layouts, by action name: the main tool bar (17 entries) and the local and the
// remote pane's (6 each), each ending in its separator. Stored layouts hold these names.
extern const QStringList DefaultMainToolbar;
extern const QStringList DefaultMyComputerToolbar;
extern const QStringList DefaultRemoteToolbar;

// By the tool bar's Tag (-1 main, 0 local pane, 1 remote pane): its registry key and its default
// layout.
QString ToolbarKey(int Tag);
const QStringList& DefaultToolbarNames(int Tag);

// The actions of List named by Names, in that order; names List has no action for are left out.
QList<TAction*> ActionsNamed(const TActionList& List, const QStringList& Names);
// The first action of List whose Tag is SeparatorActionTag; null when there is none.
TAction* FindSeparatorAction(const TActionList& List);
// When Button's action is a separator, gives it the separator style (SeparatorWidth wide) and
// answers true; else false.
bool ApplySeparatorStyle(TToolButton& Button);

// Rebuilds ToolBar from Actions in their order: a button per action, each drop-down menu its
// action carries given to its button. The tool bar always ends with a hidden separator: the last
// action's button is hidden when it is a separator, else a hidden button of the tool bar's first
// separator action is added. No actions: no buttons.
void SetToolBarButtons(TToolBar& ToolBar, const QList<TAction*>& Actions);
// The same, for the defaults the customisation dialog resets to.
void RestoreToolBarButtons(TToolBar& ToolBar, const QList<TAction*>& Actions);

// Reads the look options of the registry key Key (each defaulting to the tool bar's own) and
// applies them; when the key's subkey "Buttons\" holds "But0", "But1", ... the tool bar is rebuilt
// from the actions of List they name, in the order of their numbers (whatever order the registry
// lists them in). A name List has no action for is skipped.
void LoadToolBarLayout(TToolBar& ToolBar, const TActionList& List, const QString& Key);
// Writes the look options to Key and replaces the subkey "Buttons\" with one "But%d" value per
// button that has an action, in button order.
void SaveToolBarLayout(const TToolBar& ToolBar, const QString& Key);

// The button size of the look: with captions CaptionButtonHeight high; without, the main tool bar's
// MainButtonHeight high, a pane's PaneButtonHeight high and PaneButtonWidth wide.
void ApplyButtonSize(TToolBar& ToolBar);
// At start-up: the stored layout of the tool bar's key; the default layout when that leaves the
// tool bar without buttons; then the button size of its look.
void LoadToolBarOrDefaults(TToolBar& ToolBar);
