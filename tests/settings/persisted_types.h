// Persisted classes for the tests: one published property of every kind.
#pragma once

#include "platform/rtl/collection.h"
#include "platform/rtl/string_list.h"

#include <QObject>

class TTestItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString ItemName MEMBER ItemName)
    Q_PROPERTY(int Port MEMBER Port)
public:
    using TCollectionItem::TCollectionItem;
    QString GetDisplayName() const override
    {
        return ItemName.isEmpty() ? TCollectionItem::GetDisplayName() : ItemName;
    }

    QString ItemName;
    int Port = 21; // a constructor default that loading overwrites
};

class TTestNested : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Host MEMBER Host)
    Q_PROPERTY(int Retries MEMBER Retries)
public:
    QString Host;
    int Retries = 0;
};

class TTestObject : public QObject {
    Q_OBJECT
public:
    enum TMode { mdFirst = 0, mdSecond, mdThird };
    Q_ENUM(TMode)

private:
    Q_PROPERTY(int Number MEMBER Number)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(TMode Mode MEMBER Mode)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(int Tag MEMBER Tag)
    Q_PROPERTY(TTestNested* Nested READ GetNested)
    Q_PROPERTY(TCollection* Items READ GetItems)
    Q_PROPERTY(TStrings* Lines READ GetLines)
    Q_CLASSINFO("default:Number", "3")

public:
    TTestNested* GetNested() { return &Nested; }
    TCollection* GetItems() { return &Items; }
    TStrings* GetLines() { return &Lines; }
    TTestItem* AddItem(const QString& Name, int Port)
    {
        auto* item = static_cast<TTestItem*>(Items.Add());
        item->ItemName = Name;
        item->Port = Port;
        return item;
    }
    TTestItem* Item(int Index) const { return static_cast<TTestItem*>(Items.Items(Index)); }

    int Number = 0;
    bool Flag = false;
    TMode Mode = mdFirst;
    QString Text;
    qint64 Big = 7;
    double Ratio = 0.5;
    QString Name;
    int Tag = 0;
    TTestNested Nested;
    TCollection Items{ItemClassOf<TTestItem>()};
    TStringList Lines;
};

// Two collections and a nested object, for finding the collection property.
class TTwoCollections : public QObject {
    Q_OBJECT
    Q_PROPERTY(TCollection* First READ GetFirst)
    Q_PROPERTY(TCollection* Second READ GetSecond)
    Q_PROPERTY(TTestNested* Nested READ GetNested)
public:
    TCollection* GetFirst() { return &first_; }
    TCollection* GetSecond() { return &second_; }
    TTestNested* GetNested() { return &nested_; }

private:
    TCollection first_{ItemClassOf<TTestItem>()};
    TCollection second_{ItemClassOf<TTestItem>()};
    TTestNested nested_;
};
