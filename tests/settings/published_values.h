// The published properties of a persisted object as one comparable map, and a fill that gives
// every property a value of its own, so that a property read, stored or copied under another's
// name shows.
#pragma once

#include "settings/published_properties.h"

#include <QVariantMap>

// Name -> value; string lists as QStringList.
inline QVariantMap PublishedValues(const QObject& Object)
{
    QVariantMap values;
    for (const TPublishedProperty& property : PublishedProperties(&Object)) {
        if (property.Kind == TPropertyKind::StringList) {
            QStringList lines;
            const TStrings* list = StringListOf(&Object, property);
            for (int i = 0; i < list->Count(); ++i)
                lines += list->Strings(i);
            values.insert(property.Name, lines);
        } else if (property.Kind != TPropertyKind::Object) {
            values.insert(property.Name, property.Meta.read(&Object));
        }
    }
    return values;
}

// Numbers count up from Seed (every third one negative), Booleans are flipped, texts are the
// property's name after Seed, string lists get two lines.
inline void SetDistinctValues(QObject& Object, int Seed)
{
    int n = Seed;
    for (const TPublishedProperty& property : PublishedProperties(&Object)) {
        ++n;
        switch (property.Kind) {
        case TPropertyKind::Integer: property.Meta.write(&Object, n % 3 == 0 ? -n : n); break;
        case TPropertyKind::Boolean:
            property.Meta.write(&Object, !property.Meta.read(&Object).toBool());
            break;
        case TPropertyKind::String:
            property.Meta.write(&Object, QStringLiteral("%1 %2").arg(Seed).arg(property.Name));
            break;
        case TPropertyKind::StringList: {
            TStrings* list = StringListOf(&Object, property);
            list->Clear();
            list->Add(QStringLiteral(".b%1").arg(n));
            list->Add(QStringLiteral(".a%1").arg(n));
            break;
        }
        default: break;
        }
    }
}
