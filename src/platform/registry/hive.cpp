// THiveKey and the registry's name rules.
#include "platform/registry/hive.h"

#include "platform/system/name_encoding.h"

#include <algorithm>

static char16_t Upper(char16_t c)
{
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : c;
    return QChar::toUpper(c);
}

int CompareRegNames(const QString& A, const QString& B)
{
    const qsizetype n = std::min(A.size(), B.size());
    const QChar* a = A.constData();
    const QChar* b = B.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t ua = Upper(a[i].unicode());
        const char16_t ub = Upper(b[i].unicode());
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

// No control character, and a text that EncodeName and DecodeName give back unchanged: valid
// UTF-16 always is; a lone surrogate only may be (one that stands for a byte, see DecodeName).
static bool IsNameText(const QString& Name)
{
    bool loneSurrogate = false;
    const qsizetype size = Name.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = Name.at(i).unicode();
        if (c < 0x20 || c == 0x7F)
            return false;
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(Name.at(i + 1).unicode()))
            ++i;
        else if (QChar::isSurrogate(c))
            loneSurrogate = true;
    }
    return !loneSurrogate || DecodeName(EncodeName(Name)) == Name;
}

bool IsValidRegKeyName(const QString& Name)
{
    return !Name.isEmpty() && Name.size() <= 255 && !Name.contains(QLatin1Char('\\')) && IsNameText(Name);
}

bool IsValidRegValueName(const QString& Name)
{
    return Name.size() <= 16383 && IsNameText(Name);
}

QStringList SplitRegPath(const QString& Path)
{
    return Path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

THiveKey* THiveKey::SubKey(const QString& Name) const
{
    const auto found = subKeys_.find(Name);
    return found == subKeys_.end() ? nullptr : found->second.get();
}

THiveKey& THiveKey::AddSubKey(const QString& Name)
{
    auto& slot = subKeys_[Name];
    if (!slot)
        slot = std::make_unique<THiveKey>(Name);
    return *slot;
}

bool THiveKey::DeleteSubKey(const QString& Name)
{
    return subKeys_.erase(Name) > 0;
}

THiveKey* THiveKey::Find(const QStringList& Path)
{
    THiveKey* key = this;
    for (const QString& part : Path) {
        key = key->SubKey(part);
        if (!key)
            return nullptr;
    }
    return key;
}

// The value named Name in a key's values (const or not); end() when there is none.
template <class Values> static auto FindValue(Values& values, const QString& Name)
{
    return std::find_if(values.begin(), values.end(),
                        [&](const THiveValue& v) { return SameRegName(v.Name, Name); });
}

const THiveValue* THiveKey::Value(const QString& Name) const
{
    const auto found = FindValue(values_, Name);
    return found == values_.end() ? nullptr : &*found;
}

void THiveKey::SetValue(const QString& Name, win::DWORD Type, const QByteArray& Data)
{
    const auto found = FindValue(values_, Name);
    if (found == values_.end()) {
        values_.push_back({Name, Type, Data});
        return;
    }
    found->Type = Type;
    found->Data = Data;
}

bool THiveKey::DeleteValue(const QString& Name)
{
    const auto found = FindValue(values_, Name);
    if (found == values_.end())
        return false;
    values_.erase(found);
    return true;
}

bool THiveKey::operator==(const THiveKey& Other) const
{
    if (name_ != Other.name_ || values_ != Other.values_ || subKeys_.size() != Other.subKeys_.size())
        return false;
    return std::equal(subKeys_.begin(), subKeys_.end(), Other.subKeys_.begin(),
                      [](const auto& a, const auto& b) { return *a.second == *b.second; });
}
