// Writing and reading the binary component stream.
#include "settings/component_stream.h"

#include "platform/rtl/collection.h"
#include "platform/rtl/streams.h"
#include "platform/system/name_encoding.h"
#include "settings/published_properties.h"

#include <QMetaEnum>
#include <QtEndian>

namespace {

enum TValueType : quint8 {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaLString = 12,
    vaCollection = 14,
    vaWString = 18,
    vaUTF8String = 20,
};

const QByteArray Signature = "TPF0";
// Collections inside collection items nest at most this deep.
constexpr int MaxNesting = 16;

[[noreturn]] void InvalidFormat()
{
    throw EReadError(QStringLiteral("Invalid stream format"));
}

class TStreamWriter {
public:
    explicit TStreamWriter(TStream& Stream) : stream_(Stream) {}

    void Write(QObject* Component)
    {
        Bytes(Signature);
        ShortString(Component->metaObject()->className());
        const auto* component = dynamic_cast<const TComponent*>(Component);
        ShortString(EncodeName(component ? component->Name : Component->objectName()));
        Properties(Component, {});
        Byte(vaNull);
        Byte(vaNull);
    }

private:
    void Bytes(const QByteArray& Data) { stream_.WriteBuffer(Data.constData(), Data.size()); }
    void Byte(quint8 Value) { stream_.WriteBuffer(&Value, 1); }
    void ShortString(const QByteArray& Text)
    {
        const QByteArray text = Text.left(255);
        Byte(quint8(text.size()));
        Bytes(text);
    }
    template <class T> void LittleEndian(T Value)
    {
        qToLittleEndian(Value, &Value);
        stream_.WriteBuffer(&Value, sizeof Value);
    }
    void Integer(int Value)
    {
        if (Value >= -128 && Value <= 127) {
            Byte(vaInt8);
            Byte(quint8(Value));
        } else if (Value >= -32768 && Value <= 32767) {
            Byte(vaInt16);
            LittleEndian(qint16(Value));
        } else {
            Byte(vaInt32);
            LittleEndian(qint32(Value));
        }
    }
    void Text(const QString& Value)
    {
        Byte(vaWString);
        LittleEndian(qint32(Value.size()));
        QByteArray units(2 * Value.size(), '\0');
        qToLittleEndian<char16_t>(Value.utf16(), Value.size(), units.data());
        Bytes(units);
    }

    void Properties(QObject* Object, const QByteArray& Prefix)
    {
        for (const TPublishedProperty& property : PublishedProperties(Object)) {
            const QByteArray name = Prefix + property.Name.toLatin1();
            switch (property.Kind) {
            case TPropertyKind::Integer:
            case TPropertyKind::Boolean:
            case TPropertyKind::Enumeration: {
                const int value = OrdinalOf(Object, property);
                if (DeclaredDefault(Object, property) == value)
                    break;
                ShortString(name);
                const char* key = property.Kind == TPropertyKind::Enumeration
                                      ? property.Meta.enumerator().valueToKey(value)
                                      : nullptr;
                if (property.Kind == TPropertyKind::Boolean) {
                    Byte(value ? vaTrue : vaFalse);
                } else if (key) {
                    Byte(vaIdent);
                    ShortString(key);
                } else {
                    Integer(value);
                }
                break;
            }
            case TPropertyKind::String: {
                const QString value = property.Meta.read(Object).toString();
                if (!value.isEmpty()) {
                    ShortString(name);
                    Text(value);
                }
                break;
            }
            case TPropertyKind::StringList: {
                const TStrings* strings = StringListOf(Object, property);
                if (!strings || strings->Count() == 0)
                    break;
                ShortString(name + ".Strings");
                Byte(vaList);
                for (int i = 0; i < strings->Count(); ++i)
                    Text(strings->Strings(i));
                Byte(vaNull);
                break;
            }
            case TPropertyKind::Object:
                if (QObject* value = ObjectOf(Object, property)) {
                    Properties(value, name + '.');
                    if (auto* collection = qobject_cast<TCollection*>(value))
                        Collection(*collection, name);
                }
                break;
            }
        }
    }

    void Collection(TCollection& Collection, const QByteArray& Name)
    {
        ShortString(Name);
        Byte(vaCollection);
        for (int i = 0; i < Collection.Count(); ++i) {
            Byte(vaList);
            Properties(Collection.Items(i), {});
            Byte(vaNull);
        }
        Byte(vaNull);
    }

    TStream& stream_;
};

// A stream read whole before anything is applied.
struct TStreamProperty;
struct TStreamValue {
    quint8 Type = vaNull;
    qint32 Integer = 0;
    QString Text; // texts and identifiers
    QStringList Lines;
    std::vector<std::vector<TStreamProperty>> Items;
};
struct TStreamProperty {
    QString Name;
    TStreamValue Value;
};

bool IsText(quint8 Type)
{
    return Type == vaString || Type == vaLString || Type == vaWString || Type == vaUTF8String;
}

class TStreamReader {
public:
    explicit TStreamReader(TStream& Stream) : stream_(Stream) {}

    std::vector<TStreamProperty> Read()
    {
        if (Bytes(Signature.size()) != Signature)
            InvalidFormat();
        ShortString(); // class name: the object is given
        ShortString(); // object name
        std::vector<TStreamProperty> properties = Properties(0);
        if (Byte() != vaNull)
            InvalidFormat(); // child components are not kept
        return properties;
    }

private:
    QByteArray Bytes(qint64 Count)
    {
        if (Count < 0 || Count > stream_.Size() - stream_.Position())
            InvalidFormat();
        QByteArray data(Count, '\0');
        stream_.ReadBuffer(data.data(), Count);
        return data;
    }
    quint8 Byte()
    {
        quint8 value;
        stream_.ReadBuffer(&value, 1);
        return value;
    }
    template <class T> T LittleEndian()
    {
        T value;
        stream_.ReadBuffer(&value, sizeof value);
        return qFromLittleEndian(value);
    }
    QByteArray ShortString() { return Bytes(Byte()); }

    std::vector<TStreamProperty> Properties(int Nesting)
    {
        std::vector<TStreamProperty> properties;
        for (quint8 length = Byte(); length != 0; length = Byte()) {
            QString name = QString::fromLatin1(Bytes(length));
            properties.push_back({std::move(name), Value(Nesting)});
        }
        return properties;
    }

    // The text that follows a text type byte.
    QString Text(quint8 Type)
    {
        switch (Type) {
        case vaString: return QString::fromLatin1(ShortString());
        case vaLString: return QString::fromLatin1(Bytes(LittleEndian<qint32>()));
        case vaUTF8String: return DecodeName(Bytes(LittleEndian<qint32>()));
        default: {
            const qint64 count = LittleEndian<qint32>();
            const QByteArray units = Bytes(2 * count);
            QString text(count, Qt::Uninitialized);
            qFromLittleEndian<char16_t>(units.constData(), count, text.data());
            return text;
        }
        }
    }

    TStreamValue Value(int Nesting)
    {
        TStreamValue value;
        value.Type = Byte();
        switch (value.Type) {
        case vaInt8: value.Integer = qint8(Byte()); break;
        case vaInt16: value.Integer = LittleEndian<qint16>(); break;
        case vaInt32: value.Integer = LittleEndian<qint32>(); break;
        case vaFalse:
        case vaTrue: break;
        case vaIdent: value.Text = QString::fromLatin1(ShortString()); break;
        case vaString:
        case vaLString:
        case vaUTF8String:
        case vaWString: value.Text = Text(value.Type); break;
        case vaList:
            for (quint8 type = Byte(); type != vaNull; type = Byte()) {
                if (!IsText(type))
                    InvalidFormat();
                value.Lines += Text(type);
            }
            break;
        case vaCollection:
            if (Nesting >= MaxNesting)
                InvalidFormat();
            for (quint8 marker = Byte(); marker != vaNull; marker = Byte()) {
                if (marker != vaList)
                    InvalidFormat();
                value.Items.push_back(Properties(Nesting + 1));
            }
            break;
        case vaNull: break;
        default: InvalidFormat();
        }
        return value;
    }

    TStream& stream_;
};

void ApplyProperties(QObject* Object, const std::vector<TStreamProperty>& Properties);

const TPublishedProperty* FindProperty(const std::vector<TPublishedProperty>& Properties, const QString& Name)
{
    for (const TPublishedProperty& property : Properties) {
        if (property.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &property;
    }
    return nullptr;
}

void SetValue(QObject* Object, const TPublishedProperty& Property, const TStreamValue& Value)
{
    const bool isInteger = Value.Type == vaInt8 || Value.Type == vaInt16 || Value.Type == vaInt32;
    switch (Property.Kind) {
    case TPropertyKind::Integer:
    case TPropertyKind::Boolean:
    case TPropertyKind::Enumeration:
        if (isInteger) {
            SetOrdinal(Object, Property, Value.Integer);
        } else if (Value.Type == vaTrue || Value.Type == vaFalse) {
            SetOrdinal(Object, Property, Value.Type == vaTrue);
        } else if (Value.Type == vaIdent && Property.Kind == TPropertyKind::Enumeration) {
            bool ok = false;
            const int number = Property.Meta.enumerator().keyToValue(Value.Text.toLatin1().constData(), &ok);
            if (ok)
                SetOrdinal(Object, Property, number);
        }
        break;
    case TPropertyKind::String:
        if (IsText(Value.Type))
            Property.Meta.write(Object, Value.Text);
        break;
    case TPropertyKind::StringList: break;
    case TPropertyKind::Object: {
        auto* collection = qobject_cast<TCollection*>(ObjectOf(Object, Property));
        if (!collection || Value.Type != vaCollection)
            break;
        collection->BeginUpdate();
        collection->Clear();
        for (const auto& item : Value.Items)
            ApplyProperties(collection->Add(), item);
        collection->EndUpdate();
        break;
    }
    }
}

// Sets the property that a dotted name ("P", "P.Q", "P.Strings") reaches from Object.
void ApplyProperty(QObject* Object, const TStreamProperty& Property)
{
    const QStringList path = Property.Name.split(QLatin1Char('.'));
    for (qsizetype i = 0; Object && i < path.size(); ++i) {
        const std::vector<TPublishedProperty> properties = PublishedProperties(Object);
        const TPublishedProperty* property = FindProperty(properties, path[i]);
        if (!property)
            return;
        if (i == path.size() - 1) {
            SetValue(Object, *property, Property.Value);
            return;
        }
        if (property->Kind == TPropertyKind::StringList) {
            TStrings* strings = StringListOf(Object, *property);
            if (strings && i == path.size() - 2 && path.last() == QLatin1String("Strings") &&
                Property.Value.Type == vaList) {
                strings->BeginUpdate();
                strings->Clear();
                for (const QString& line : Property.Value.Lines)
                    strings->Add(line);
                strings->EndUpdate();
            }
            return;
        }
        Object = property->Kind == TPropertyKind::Object ? ObjectOf(Object, *property) : nullptr;
    }
}

void ApplyProperties(QObject* Object, const std::vector<TStreamProperty>& Properties)
{
    for (const TStreamProperty& property : Properties)
        ApplyProperty(Object, property);
}

} // namespace

void WriteComponentStream(TStream& Stream, QObject* Component)
{
    TStreamWriter(Stream).Write(Component);
}

void ReadComponentStream(TStream& Stream, QObject* Component)
{
    ApplyProperties(Component, TStreamReader(Stream).Read());
}
