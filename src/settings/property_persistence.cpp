// The registry form of published properties.
#include "settings/property_persistence.h"

#include "platform/registry/hive.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/collection.h"
#include "settings/published_properties.h"

#include <QVariantMap>

namespace {

// The dynamic property in which a collection remembers its stored item names, by key path.
const char* const StoredNamesProperty = "storedItemNames";

QString SubSection(const QString& Section, const QString& Name)
{
    return Section.isEmpty() ? Name : Section + QLatin1Char('\\') + Name;
}

QStringList StoredNames(const TCollection& Collection, const QString& KeyPath)
{
    return Collection.property(StoredNamesProperty).toMap().value(KeyPath).toStringList();
}

void SetStoredNames(TCollection& Collection, const QString& KeyPath, const QStringList& Names)
{
    QVariantMap stored = Collection.property(StoredNamesProperty).toMap();
    stored.insert(KeyPath, Names);
    Collection.setProperty(StoredNamesProperty, stored);
}

bool ContainsName(const QStringList& Names, const QString& Name)
{
    return std::any_of(Names.begin(), Names.end(), [&](const QString& n) { return SameRegName(n, Name); });
}

// Section is the collection's own subkey path.
void StreamCollection(TCollection& Collection, const QString& Section, bool Load, TRegIniFile& RegIni)
{
    const QString keyPath = RegIni.CurrentPath() + QLatin1Char('\\') + Section;
    const QString storedKey = keyPath.toUpper(); // key names ignore case
    QStringList names = StoredNames(Collection, storedKey);
    if (Load) {
        TStringList subKeys;
        RegIni.ReadSubSections(Section, subKeys);
        Collection.BeginUpdate();
        for (int i = 0; i < subKeys.Count(); ++i) {
            const QString name = subKeys.Strings(i);
            StreamProperties(Collection.Add(), SubSection(Section, name), true, RegIni);
            if (!ContainsName(names, name))
                names += name;
        }
        Collection.EndUpdate();
        SetStoredNames(Collection, storedKey, names);
        return;
    }
    QStringList saved;
    for (int i = 0; i < Collection.Count(); ++i) {
        TCollectionItem* item = Collection.Items(i);
        const QString name = item->GetDisplayName();
        if (name.isEmpty())
            continue;
        if (!IsValidRegKeyName(name)) {
            qWarning("The item \"%s\" is not saved under \"%s\": its name cannot be a registry key name.",
                     qPrintable(name), qPrintable(keyPath));
            continue;
        }
        StreamProperties(item, SubSection(Section, name), false, RegIni);
        saved += name;
    }
    for (const QString& name : names) {
        if (!ContainsName(saved, name))
            RegIni.EraseSection(SubSection(Section, name));
    }
    SetStoredNames(Collection, storedKey, saved);
}

// Section is the list's own subkey path; its values are named Property0, Property1, ...
void StreamStrings(TStrings& Strings, const QString& Section, const QString& Property, bool Load,
                   TRegIniFile& RegIni)
{
    if (Load) {
        if (!RegIni.SectionExists(Section))
            return;
        TStringList values;
        RegIni.ReadSection(Section, values);
        Strings.BeginUpdate();
        for (int i = 0; i < values.Count(); ++i)
            Strings.Add(RegIni.ReadString(Section, Property + QString::number(i), {}));
        Strings.EndUpdate();
        return;
    }
    RegIni.EraseSection(Section);
    for (int i = 0; i < Strings.Count(); ++i)
        RegIni.WriteString(Section, Property + QString::number(i), Strings.Strings(i));
}

} // namespace

void StreamProperties(QObject* Object, const QString& Section, bool Load, TRegIniFile& RegIni)
{
    if (!Object)
        return;
    for (const TPublishedProperty& property : PublishedProperties(Object)) {
        const QString& name = property.Name;
        switch (property.Kind) {
        case TPropertyKind::Integer:
        case TPropertyKind::Boolean:
        case TPropertyKind::Enumeration:
            if (Load)
                SetOrdinal(Object, property, RegIni.ReadInteger(Section, name, 0));
            else
                RegIni.WriteInteger(Section, name, OrdinalOf(Object, property));
            break;
        case TPropertyKind::String:
            if (Load)
                property.Meta.write(Object, RegIni.ReadString(Section, name, {}));
            else
                RegIni.WriteString(Section, name, property.Meta.read(Object).toString());
            break;
        case TPropertyKind::StringList:
            if (TStrings* strings = StringListOf(Object, property))
                StreamStrings(*strings, SubSection(Section, name), name, Load, RegIni);
            break;
        case TPropertyKind::Object:
            if (QObject* value = ObjectOf(Object, property)) {
                StreamProperties(value, SubSection(Section, name), Load, RegIni);
                if (auto* collection = qobject_cast<TCollection*>(value))
                    StreamCollection(*collection, SubSection(Section, name), Load, RegIni);
            }
            break;
        }
    }
}

void StreamPropertiesAt(QObject* Object, const QString& KeyPath, bool Load)
{
    TRegIniFile regIni(KeyPath);
    StreamProperties(Object, {}, Load, regIni);
}

void SavePropertiesToKey(QObject* Object, const QString& KeyPath)
{
    StreamPropertiesAt(Object, KeyPath, false);
}

void LoadPropertiesFromKey(const QString& KeyPath, QObject* Object)
{
    StreamPropertiesAt(Object, KeyPath, true);
}

QString CollectionPropName(const QObject* Object)
{
    QString name;
    for (const TPublishedProperty& property : PublishedProperties(Object)) {
        if (property.Kind == TPropertyKind::Object && qobject_cast<TCollection*>(ObjectOf(Object, property)))
            name = property.Name;
    }
    return name;
}
