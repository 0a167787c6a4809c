// TFtpAppSettings, the program-wide user settings, and the global settings object AppSettings.
#pragma once

#include "platform/rtl/string_list.h"
#include "settings/component_position.h"

#include <memory>

// Kept below MainFormRegKey: one value per setting (named as the property), the two lists in the
// subkeys "Extensions" and "EditFileFilters". Left, Top, Height and Width are the main window's
// bounds (a Width below 1: none stored).
//
// Every setting reads 0, False or empty when nothing is stored; SplitViewMyComputerPos 0 tells the
// main window that this is the first start, and it sets the first-run values then. The declared
// defaults serve only the file form (properties equal to them are left out there).
class TFtpAppSettings : public TComponentPosition {
    Q_OBJECT
    Q_PROPERTY(bool ConnectAtStart MEMBER ConnectAtStart)
    Q_PROPERTY(QString CurrentServer MEMBER CurrentServer)
    Q_PROPERTY(TStrings* EditFileFilters READ EditFileFilters WRITE SetEditFileFilters)
    Q_PROPERTY(QString EmailAddress MEMBER EmailAddress)
    Q_PROPERTY(TStrings* Extensions READ Extensions WRITE SetExtensions)
    Q_PROPERTY(bool HTMLUpperCase MEMBER HTMLUpperCase)
    Q_PROPERTY(QString LogFileName READ LogFileName WRITE SetLogFileName)
    Q_PROPERTY(bool LogSave MEMBER LogSave)
    Q_PROPERTY(bool LvMyComputerRowSelect MEMBER LvMyComputerRowSelect)
    Q_PROPERTY(bool LvMyComputerGrid MEMBER LvMyComputerGrid)
    Q_PROPERTY(int LvMyComputerViewStyle MEMBER LvMyComputerViewStyle)
    Q_PROPERTY(int LvMyComputerHeaderSortColumn MEMBER LvMyComputerHeaderSortColumn)
    Q_PROPERTY(int LvMyComputerHeaderSortDirection MEMBER LvMyComputerHeaderSortDirection)
    Q_PROPERTY(bool LvRemoteRowSelect MEMBER LvRemoteRowSelect)
    Q_PROPERTY(bool LvRemoteGrid MEMBER LvRemoteGrid)
    Q_PROPERTY(int LvRemoteViewStyle MEMBER LvRemoteViewStyle)
    Q_PROPERTY(int LvRemoteHeaderSortColumn MEMBER LvRemoteHeaderSortColumn)
    Q_PROPERTY(int LvRemoteHeaderSortDirection MEMBER LvRemoteHeaderSortDirection)
    Q_PROPERTY(bool KeepConnectionAlive MEMBER KeepConnectionAlive)
    Q_PROPERTY(int KeepConnectionInterval MEMBER KeepConnectionInterval)
    Q_PROPERTY(bool OverwritePrompt MEMBER OverwritePrompt)
    Q_PROPERTY(bool PlaySounds MEMBER PlaySounds)
    Q_PROPERTY(bool PrintPreviewEnabled MEMBER PrintPreviewEnabled)
    Q_PROPERTY(int SoundBitField MEMBER SoundBitField)
    Q_PROPERTY(QString SoundConnect MEMBER SoundConnect)
    Q_PROPERTY(QString SoundCompleted MEMBER SoundCompleted)
    Q_PROPERTY(QString SoundError MEMBER SoundError)
    Q_PROPERTY(QString SoundGet MEMBER SoundGet)
    Q_PROPERTY(QString SoundPut MEMBER SoundPut)
    Q_PROPERTY(int SplitViewMyComputerPos MEMBER SplitViewMyComputerPos)
    Q_PROPERTY(int SplitViewRemotePos MEMBER SplitViewRemotePos)
    Q_PROPERTY(int SplitHrzPos MEMBER SplitHrzPos)
    Q_PROPERTY(int SplitVertPos MEMBER SplitVertPos)
    Q_PROPERTY(int SelectedInfoTab MEMBER SelectedInfoTab)
    Q_PROPERTY(int SelectedMainTab MEMBER SelectedMainTab)
    Q_PROPERTY(int TransferMode MEMBER TransferMode)
    Q_PROPERTY(bool ViewLog MEMBER ViewLog)
    Q_PROPERTY(bool ViewMyComputer MEMBER ViewMyComputer)
    Q_PROPERTY(bool ViewMyComputerMni MEMBER ViewMyComputerMni)
    Q_PROPERTY(bool ViewTrees MEMBER ViewTrees)
    Q_PROPERTY(bool ViewTreesMni MEMBER ViewTreesMni)
    Q_PROPERTY(int WindowState MEMBER WindowState)
    Q_PROPERTY(QString ZipSaveFolder MEMBER ZipSaveFolder)
    Q_CLASSINFO("default:LvMyComputerViewStyle", "3")
    Q_CLASSINFO("default:LvRemoteViewStyle", "3")
    Q_CLASSINFO("default:SplitViewMyComputerPos", "125")
    Q_CLASSINFO("default:SplitViewRemotePos", "125")
    Q_CLASSINFO("default:SplitHrzPos", "285")
    Q_CLASSINFO("default:SplitVertPos", "120")
    Q_CLASSINFO("default:ViewLog", "0")
    Q_CLASSINFO("default:ViewMyComputer", "1")
public:
    // Kept under the registry key Key and loaded at once.
    TFtpAppSettings(TComponent* AOwner, const QString& Key);
    // Saves (with autosave on).
    ~TFtpAppSettings() override;

    // From another settings object: the bounds and every setting, the lists by copying their
    // lines. Anything else goes to TComponentPosition::Assign.
    void Assign(const TObject* Source) override;
    // Empties the two lists, then loads, so loading again never doubles their lines.
    bool Load() override;

    // Editor document types, one Name=Patterns[ext] line each (patterns separated by ";", the
    // bracketed part the default extension).
    TStrings* EditFileFilters() const { return editFileFilters_.get(); }
    void SetEditFileFilters(TStrings* Value);
    // Lower-case extensions with their dot (".txt") of the files the automatic transfer mode sends
    // as ASCII: sorted, each once (compared without case).
    TStrings* Extensions() const { return extensions_.get(); }
    void SetExtensions(TStrings* Value);
    // The log file's name without any folder.
    QString LogFileName() const { return logFileName_; }
    // Keeps only the part after the last "\", ":" or "/".
    void SetLogFileName(const QString& Value);

    bool ConnectAtStart = false;
    // ItemName of the server profile last used.
    QString CurrentServer;
    // The password of anonymous logins (used only when it holds "@").
    QString EmailAddress;
    // Tags of HTML are upper-cased (else lower-cased).
    bool HTMLUpperCase = false;
    bool LogSave = false;
    // The local and the remote list: whole-row selection, grid lines, view style (3 details),
    // sort column and direction.
    bool LvMyComputerRowSelect = false;
    bool LvMyComputerGrid = false;
    int LvMyComputerViewStyle = 0;
    int LvMyComputerHeaderSortColumn = 0;
    int LvMyComputerHeaderSortDirection = 0;
    bool LvRemoteRowSelect = false;
    bool LvRemoteGrid = false;
    int LvRemoteViewStyle = 0;
    int LvRemoteHeaderSortColumn = 0;
    int LvRemoteHeaderSortDirection = 0;
    bool KeepConnectionAlive = false;
    int KeepConnectionInterval = 0;
    // Ask before a transfer overwrites a file.
    bool OverwritePrompt = false;
    bool PlaySounds = false;
    bool PrintPreviewEnabled = false;
    // One bit per sound event (set: its sound plays): 0 connect, 1 transfer completed, 2 error,
    // 3 download, 4 upload; the sound files of the five events follow.
    int SoundBitField = 0;
    QString SoundConnect;
    QString SoundCompleted;
    QString SoundError;
    QString SoundGet;
    QString SoundPut;
    // Splitter positions in pixels; SplitViewMyComputerPos 0 marks settings never written.
    int SplitViewMyComputerPos = 0;
    int SplitViewRemotePos = 0;
    int SplitHrzPos = 0;
    int SplitVertPos = 0;
    int SelectedInfoTab = 0;
    int SelectedMainTab = 0;
    // 0 ASCII, 1 binary, 2 automatic (ASCII for the Extensions, else binary).
    int TransferMode = 0;
    bool ViewLog = false;
    bool ViewMyComputer = false;
    bool ViewMyComputerMni = false;
    bool ViewTrees = false;
    bool ViewTreesMni = false;
    // 0 normal, 1 minimised, 2 maximised.
    int WindowState = 0;
    // The folder that receives zip archives of remote folders.
    QString ZipSaveFolder;

private:
    std::unique_ptr<TStringList> editFileFilters_ = std::make_unique<TStringList>();
    std::unique_ptr<TStringList> extensions_;
    QString logFileName_;
};

// The program's settings object, made and loaded from MainFormRegKey on the first call; with Flag
// 1 it is freed (saving itself), the global cleared first, and null returned.
TFtpAppSettings* AppSettings(int Flag = 0);
