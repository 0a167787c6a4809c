// Walking the Q_PROPERTY declarations of persisted objects.
#include "settings/published_properties.h"

#include "platform/rtl/exception.h"

#include <QMetaEnum>

namespace {

std::optional<TPropertyKind> KindOf(const QMetaProperty& Meta)
{
    if (Meta.isEnumType())
        return Meta.isFlagType() ? std::nullopt : std::optional(TPropertyKind::Enumeration);
    const QMetaType type = Meta.metaType();
    if (type == QMetaType::fromType<int>())
        return TPropertyKind::Integer;
    if (type == QMetaType::fromType<bool>())
        return TPropertyKind::Boolean;
    if (type == QMetaType::fromType<QString>())
        return TPropertyKind::String;
    if (type == QMetaType::fromType<TStrings*>())
        return TPropertyKind::StringList;
    if (type.flags() & QMetaType::PointerToQObject)
        return TPropertyKind::Object;
    return std::nullopt;
}

} // namespace

std::vector<TPublishedProperty> PublishedProperties(const QObject* Object)
{
    std::vector<TPublishedProperty> properties;
    const QMetaObject* meta = Object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = QString::fromLatin1(property.name());
        if (name == QLatin1String("objectName") || name == QLatin1String("Name") ||
            name == QLatin1String("Tag"))
            continue;
        if (const auto kind = KindOf(property))
            properties.push_back({property, *kind, name});
    }
    return properties;
}

int OrdinalOf(const QObject* Object, const TPublishedProperty& Property)
{
    const QVariant value = Property.Meta.read(Object);
    return Property.Kind == TPropertyKind::Boolean ? int(value.toBool()) : value.toInt();
}

void SetOrdinal(QObject* Object, const TPublishedProperty& Property, int Value)
{
    switch (Property.Kind) {
    case TPropertyKind::Boolean: Property.Meta.write(Object, Value != 0); break;
    case TPropertyKind::Enumeration: {
        const QMetaEnum enumeration = Property.Meta.enumerator();
        if (!enumeration.valueToKey(Value) && enumeration.keyCount() > 0)
            Value = enumeration.value(0);
        QVariant variant(Value);
        variant.convert(Property.Meta.metaType());
        Property.Meta.write(Object, variant);
        break;
    }
    default: Property.Meta.write(Object, Value);
    }
}

TStrings* StringListOf(const QObject* Object, const TPublishedProperty& Property)
{
    return Property.Meta.read(Object).value<TStrings*>();
}

QObject* ObjectOf(const QObject* Object, const TPublishedProperty& Property)
{
    return Property.Meta.read(Object).value<QObject*>();
}

std::optional<int> DeclaredDefault(const QObject* Object, const TPublishedProperty& Property)
{
    const QMetaObject* meta = Object->metaObject();
    const int index = meta->indexOfClassInfo(("default:" + Property.Name).toLatin1().constData());
    if (index < 0)
        return std::nullopt;
    bool ok = false;
    const int value = QString::fromLatin1(meta->classInfo(index).value()).toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

void AssignPublishedProperties(const QObject& Source, QObject& Target)
{
    const QMetaObject* sourceMeta = Source.metaObject();
    for (const TPublishedProperty& property : PublishedProperties(&Target)) {
        const int index = sourceMeta->indexOfProperty(property.Meta.name());
        if (index < 0)
            continue;
        const QMetaProperty from = sourceMeta->property(index);
        switch (property.Kind) {
        case TPropertyKind::Integer:
        case TPropertyKind::Boolean:
        case TPropertyKind::Enumeration:
        case TPropertyKind::String: property.Meta.write(&Target, from.read(&Source)); break;
        case TPropertyKind::StringList: {
            TStrings* target = StringListOf(&Target, property);
            const TStrings* source = from.read(&Source).value<TStrings*>();
            if (target && source && target != source)
                target->Assign(*source);
            break;
        }
        case TPropertyKind::Object: break;
        }
    }
}

void RaiseAssignError(const TObject* Source, const TObject& Target)
{
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(Source ? Source->ClassName() : QStringLiteral("nil"), Target.ClassName()));
}
