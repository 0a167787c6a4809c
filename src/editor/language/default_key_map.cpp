// The built-in key map and the key names.
#include "editor/language/default_key_map.h"

#include "editor/language/key_controller.h"

#include "platform/rtl/resource_strings.h"

#include <QHash>
#include <memory>

using namespace win;

namespace {

// The display names are string resources 4146.. in command order.
constexpr int FirstCommandName = 4146;

struct TDefaultBinding {
    TShortCut First;
    TShortCut Second;
};

// The default keys of commands 0..47.
TDefaultBinding DefaultKeys(int Command)
{
    constexpr TShortCut CtrlK = scCtrl | 'K';
    constexpr TShortCut CtrlQ = scCtrl | 'Q';
    if (Command >= caSETBOOKMARK0 && Command < caSETBOOKMARK0 + 10)
        return {CtrlK, TShortCut('0' + Command - caSETBOOKMARK0)};
    if (Command >= caGOTOBOOKMARK0 && Command < caGOTOBOOKMARK0 + 10)
        return {CtrlQ, TShortCut('0' + Command - caGOTOBOOKMARK0)};
    switch (Command) {
    case caLEFT: return {VK_LEFT, 0};
    case caRIGHT: return {VK_RIGHT, 0};
    case caLINEHOME: return {VK_HOME, 0};
    case caLINEEND: return {VK_END, 0};
    case caUP: return {VK_UP, 0};
    case caDOWN: return {VK_DOWN, 0};
    case caPAGEUP: return {VK_PRIOR, 0};
    case caPAGEDOWN: return {VK_NEXT, 0};
    case caWORDLEFT: return {scCtrl | VK_LEFT, 0};
    case caWORDRIGHT: return {scCtrl | VK_RIGHT, 0};
    case caDOCSTART: return {scCtrl | VK_HOME, 0};
    case caDOCEND: return {scCtrl | VK_END, 0};
    case caCUT: return {scCtrl | 'X', 0};
    case caCOPY: return {scCtrl | 'C', 0};
    case caPASTE: return {scCtrl | 'V', 0};
    case caDELETE: return {VK_DELETE, 0};
    case caBACKSPACE: return {VK_BACK, 0};
    case caBLOCKIND: return {CtrlK, 'I'};
    case caBLOCKUND: return {CtrlK, 'U'};
    case caINSTOGGLE: return {VK_INSERT, 0};
    case caDELETELINE: return {scCtrl | 'Y', 0};
    case caUNDO: return {scCtrl | 'Z', 0};
    case caREDO: return {scCtrl | scShift | 'Z', 0};
    case caDELPREVWORD: return {scCtrl | VK_BACK, 0};
    case caPRINTSEL: return {CtrlK, 'P'};
    case caDELNEXTWORD: return {scCtrl | VK_DELETE, 0};
    case caSCROLLUP: return {scCtrl | VK_UP, 0};
    case caSCROLLDOWN: return {scCtrl | VK_DOWN, 0};
    default: return {0, 0};
    }
}

void AddDefaultBinding(TKeyboardActionContoller& Map, int Command)
{
    const TDefaultBinding keys = DefaultKeys(Command);
    Map.AddKeyPair(keys.First, keys.Second, Command);
}

std::unique_ptr<TKeyboardActionContoller> BuildDefaultKeyController()
{
    auto map = std::make_unique<TKeyboardActionContoller>();
    for (int command = 0; command < EditorCommandCount; ++command)
        map->SetCommandName(command, LoadStr(FirstCommandName + command));
    // The order the bindings are added in is the order of the first-key list.
    AddDefaultBinding(*map, caDELPREVWORD);
    AddDefaultBinding(*map, caDELNEXTWORD);
    for (int command = 0; command <= caREDO; ++command)
        AddDefaultBinding(*map, command);
    for (const int command : {caPRINTSEL, caSCROLLUP, caSCROLLDOWN})
        AddDefaultBinding(*map, command);
    return map;
}

} // namespace

TKeyboardActionContoller& DefaultKeyController()
{
    static const std::unique_ptr<TKeyboardActionContoller> map = BuildDefaultKeyController();
    return *map;
}

int KeyNameToKey(const QString& Name)
{
    static const QHash<QString, int> names = [] {
        QHash<QString, int> table = {
            {QStringLiteral("backspace"), VK_BACK}, {QStringLiteral("delete"), VK_DELETE},
            {QStringLiteral("down"), VK_DOWN},      {QStringLiteral("end"), VK_END},
            {QStringLiteral("home"), VK_HOME},      {QStringLiteral("insert"), VK_INSERT},
            {QStringLiteral("left"), VK_LEFT},      {QStringLiteral("pagedown"), VK_NEXT},
            {QStringLiteral("pageup"), VK_PRIOR},   {QStringLiteral("return"), VK_RETURN},
            {QStringLiteral("right"), VK_RIGHT},    {QStringLiteral("space"), VK_SPACE},
            {QStringLiteral("up"), VK_UP},          {QStringLiteral("tab"), VK_TAB},
        };
        for (int n = 1; n <= 12; ++n)
            table.insert(QStringLiteral("f%1").arg(n), VK_F1 + n - 1);
        return table;
    }();
    return names.value(Name.toLower(), 0);
}
