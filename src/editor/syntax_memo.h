// TSyntaxMemo, the editor control as forms place it: TCustomSyntaxMemo with its properties
// published to Qt's property system.
#pragma once

#include "editor/custom_syntax_memo.h"

class TSyntaxMemo : public TCustomSyntaxMemo {
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool WantTab MEMBER WantTab)
    Q_PROPERTY(bool WantReturns MEMBER WantReturns)
    Q_PROPERTY(bool HideSelection MEMBER HideSelection)
    Q_PROPERTY(bool ShowFocusLine MEMBER ShowFocusLine)
    Q_PROPERTY(unsigned ClipCopyFormats MEMBER ClipCopyFormats)
    Q_PROPERTY(int Gutter READ Gutter WRITE SetGutter)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int RightMargin READ RightMargin WRITE SetRightMargin)
    Q_PROPERTY(int IndentStep READ IndentStep WRITE SetIndentStep)
    Q_PROPERTY(int TabDefault READ TabDefault WRITE SetTabDefault)
    Q_PROPERTY(QString TabColumns READ TabColumns WRITE SetTabColumns)
    Q_PROPERTY(bool WordWrap READ GetWordWrap WRITE SetWordWrap)
    Q_PROPERTY(int WrapAtColumn READ WrapAtColumn WRITE SetWrapAtColumn)
    Q_PROPERTY(QString WrapOverride READ WrapOverride WRITE SetWrapOverride)
    Q_PROPERTY(unsigned Options READ Options WRITE SetOptions)
    Q_PROPERTY(bool Modified READ Modified WRITE SetModified)
    Q_PROPERTY(QString Version READ GetVersion CONSTANT)
    // The parser slots' choice (the slots themselves are set through SetParser).
    Q_PROPERTY(int ActiveParser READ ActiveParser WRITE SetActiveParser)

public:
    using TCustomSyntaxMemo::TCustomSyntaxMemo;

    QString GetVersion() const { return QString::fromLatin1(Version); }
};
