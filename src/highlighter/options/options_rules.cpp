// The widget-free rules of the editor options dialog.
#include "highlighter/options/options_rules.h"

#include "platform/ui/shortcut_text.h"

namespace options {

int MarginValue(const QString& Text)
{
    bool ok = false;
    const int value = Text.toInt(&ok);
    return ok && value >= 0 && value <= MaxMargin ? value : 1;
}

QString SpinMargin(const QString& Text, bool Up)
{
    bool ok = false;
    int value = Text.toInt(&ok);
    if (!ok)
        return QStringLiteral("1");
    if (Up && value < MaxMargin)
        ++value;
    else if (!Up && value != 0)
        --value;
    return QString::number(value);
}

namespace {

bool IsDigitKey(int Key)
{
    return Key >= '0' && Key <= '9';
}

} // namespace

bool NumberEditAccepts(int Key)
{
    switch (Key) {
    case win::VK_BACK:
    case win::VK_TAB:
    case win::VK_END:
    case win::VK_HOME:
    case win::VK_LEFT:
    case win::VK_RIGHT:
    case win::VK_DELETE:
        return true;
    default:
        return IsDigitKey(Key);
    }
}

bool MarginEditAccepts(int Key)
{
    switch (Key) {
    case win::VK_BACK:
    case win::VK_LEFT:
    case win::VK_RIGHT:
    case win::VK_INSERT:
    case win::VK_DELETE:
        return true;
    default:
        return IsDigitKey(Key);
    }
}

namespace {

const QString Tab = QStringLiteral("\t");

TButtonStates Disabled()
{
    return {{false, QStringLiteral("Add")}, {false, QStringLiteral("Delete")}};
}

TButtonStates AddOnly()
{
    return {{true, QStringLiteral("Add")}, {false, QStringLiteral("Delete")}};
}

TButtonStates SecondOnly(bool Delete)
{
    return {{false, QStringLiteral("Add")}, {true, Delete ? QStringLiteral("Delete") : QStringLiteral("Replace")}};
}

} // namespace

TButtonStates AutoReplaceButtons(const QString& Word, const QString& Replacement, const QStringList& Words,
                                 const QStringList& Items)
{
    // An empty word can be neither added nor found.
    if (Word.isEmpty())
        return Disabled();
    if (!Words.contains(Word, Qt::CaseInsensitive))
        return AddOnly();
    const QString lower = Word.toLower();
    if (Replacement.isEmpty()) {
        // The first item of the word stands for it: a word without replacement is that item.
        for (const QString& item : Items)
            if (item.startsWith(lower + Tab) || item == lower)
                return SecondOnly(item == lower);
        return SecondOnly(false);
    }
    return SecondOnly(Items.contains(lower + Tab + Replacement));
}

TButtonStates TemplateButtons(const QString& Name, const QString& Description, const QByteArray& Text,
                              const QStringList& Names, const QStringList& Items, const QByteArray& StoredBody)
{
    if (Name.isEmpty())
        return Disabled();
    if (!Names.contains(Name, Qt::CaseInsensitive))
        return AddOnly();
    return SecondOnly(Items.contains(Name.toLower() + Tab + Description) && Text == StoredBody);
}

QString BindingText(TShortCut Key1, TShortCut Key2)
{
    const QString second = Key2 == 0 ? QStringLiteral("<none>") : ShortCutToText(Key2);
    return QLatin1Char('[') + ShortCutToText(Key1) + QStringLiteral("]  [") + second + QLatin1Char(']');
}

unsigned TemplateDropFlags(unsigned Flags)
{
    Flags &= ~0x400u;
    if (Flags & 0x100)
        Flags |= 0x2000;
    else if (Flags & 1)
        Flags |= 0x800;
    return Flags;
}

} // namespace options
