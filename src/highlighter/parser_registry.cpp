// TSyntaxMemoParser's settings in the registry: the style string and the key assignments of its
// language.
#include "highlighter/style_string.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"

#include "platform/registry/registry.h"
#include "platform/rtl/resource_strings.h"
#include "platform/rtl/streams.h"

namespace {

QString HighlightingValue(const TSM_Settings& Settings)
{
    return QStringLiteral("Highlighting - ") + Settings.Name;
}

QString KeyAssignmentsValue(const TSM_Settings& Settings)
{
    return QStringLiteral("Key Assignments - ") + Settings.Name;
}

// The key-assignment value starts with the signature as a short string: its length, then it.
QByteArray KeySignature()
{
    return char(StyleStringSignature.size()) + StyleStringSignature.toLatin1();
}

} // namespace

void TSyntaxMemoParser::SaveToRegistry()
{
    if (!UseRegistry || RegistryKey.isEmpty())
        throw ESyntaxMemo(QStringLiteral("Registry interface disabled in: ") + Name);
    TMemoryStream keys;
    const QByteArray signature = KeySignature();
    keys.WriteBuffer(signature.constData(), signature.size());
    Settings().KeyController().SaveToStream(keys);

    TRegistry registry;
    if (!registry.OpenKey(RegistryKey, true))
        throw ERegistryException(QStringLiteral("Failed to create key %1").arg(RegistryKey));
    registry.WriteString(HighlightingValue(Settings()), StyleStringOf(Settings()));
    registry.WriteBinaryData(KeyAssignmentsValue(Settings()), keys.Memory(), int(keys.Size()));
}

void TSyntaxMemoParser::LoadFromRegistry(bool UseOwnKey, const QString& KeyPath)
{
    if (UseOwnKey && (!UseRegistry || RegistryKey.isEmpty()))
        throw ESyntaxMemo(QStringLiteral("Registry interface disabled in: ") + Name);
    const QString key = UseOwnKey ? RegistryKey : KeyPath;
    try {
        TRegistry registry;
        if (!registry.KeyExists(key) || !registry.OpenKeyReadOnly(key))
            return;
        const QString highlighting = HighlightingValue(Settings());
        if (!registry.ValueExists(highlighting))
            return;
        ReadStyleString(Settings(), registry.ReadString(highlighting));

        const QString assignments = KeyAssignmentsValue(Settings());
        const int size = registry.GetDataSize(assignments);
        if (size > 0) {
            QByteArray bytes(size, '\0');
            registry.ReadBinaryData(assignments, bytes.data(), size);
            const QByteArray signature = KeySignature();
            if (bytes.startsWith(signature)) {
                TMemoryStream stream;
                stream.WriteBuffer(bytes.constData() + signature.size(), bytes.size() - signature.size());
                stream.SetPosition(0);
                Settings().KeyController().LoadFromStream(stream);
            }
        }
    } catch (const Exception&) {
        throw ESyntaxMemo(LoadStr(4132) + QStringLiteral(" \"") + key + QStringLiteral("\\") +
                          HighlightingValue(Settings()) + '"');
    }
    RefreshEditors();
}
