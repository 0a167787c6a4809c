// Fuzz target: the component stream reader takes any bytes without crashing, and a stream it
// refuses leaves the object as it was.
#include "settings/component_stream.h"

#include "platform/rtl/collection.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/string_list.h"

#include <QObject>
#include <cstdint>
#include <cstdlib>

namespace {

class TFuzzItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString ItemName MEMBER ItemName)
    Q_PROPERTY(TCollection* Items READ GetItems)
public:
    using TCollectionItem::TCollectionItem;
    TCollection* GetItems() { return &Items; }
    QString ItemName;
    TCollection Items{ItemClassOf<TFuzzItem>()};
};

class TFuzzObject : public QObject {
    Q_OBJECT
public:
    enum TMode { mdOne, mdTwo };
    Q_ENUM(TMode)

private:
    Q_PROPERTY(int Number MEMBER Number)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(TMode Mode MEMBER Mode)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(TStrings* Lines READ GetLines)
    Q_PROPERTY(TCollection* Items READ GetItems)
    Q_PROPERTY(TFuzzObject* Nested READ GetNested)

public:
    TStrings* GetLines() { return &Lines; }
    TCollection* GetItems() { return &Items; }
    TFuzzObject* GetNested() { return Nested; }

    int Number = 1;
    bool Flag = false;
    TMode Mode = mdOne;
    QString Text = QStringLiteral("unchanged");
    TStringList Lines;
    TCollection Items{ItemClassOf<TFuzzItem>()};
    TFuzzObject* Nested = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TFuzzObject nested;
    TFuzzObject object;
    object.Nested = &nested;
    TMemoryStream stream;
    stream.WriteBuffer(data, std::int64_t(size));
    stream.SetPosition(0);
    try {
        ReadComponentStream(stream, &object);
    } catch (const EReadError&) {
        if (object.Number != 1 || object.Text != QLatin1String("unchanged") || object.Items.Count() != 0)
            std::abort();
    }
    return 0;
}

#include "component_stream.moc"
