// NameType: the database asked once per ending, and the patterns that make a name an exception.
#include "platform/shellapi/name_types.h"

#include "platform/shellapi/system_image_list.h"

#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>
#include <mutex>
#include <vector>

namespace {

using win::TNameType;

bool IsWildcard(QChar C)
{
    return C == u'*' || C == u'?' || C == u'[' || C == u']' || C == u'\\';
}

// The database's glob patterns that do not start with "*.", in lower case (a name is tested in
// lower case too, which also covers the few patterns matched with their case).
class THeadPatterns {
public:
    THeadPatterns()
    {
        const QStringList files =
            QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("mime/globs2"));
        for (const QString& name : files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            known_ = true;
            // Lines "weight:type:pattern" with optional ":flags"; a pattern holds no ':'.
            while (!file.atEnd()) {
                const QByteArray line = file.readLine().trimmed();
                const QList<QByteArray> fields = line.split(':');
                if (!line.startsWith('#') && fields.size() >= 3)
                    Add(QString::fromUtf8(fields[2]).toLower());
            }
        }
    }

    // False when no pattern list was found: then any name may be an exception.
    bool Known() const { return known_; }

    // Whether one of the patterns may match Name (a cheap test first, the pattern itself after).
    bool MayMatch(const QString& Name) const
    {
        const QString lower = Name.toLower();
        if (literals_.contains(lower))
            return true;
        for (const TPattern& pattern : others_) {
            if ((pattern.First.isNull() || lower.front() == pattern.First) &&
                (pattern.Last.isNull() || lower.back() == pattern.Last) && pattern.Expression.match(lower).hasMatch())
                return true;
        }
        return false;
    }

private:
    // A pattern with wildcards, with the characters a name must start and end with (null where
    // the pattern starts or ends with a wildcard).
    struct TPattern {
        QRegularExpression Expression;
        QChar First;
        QChar Last;
    };

    void Add(const QString& Pattern)
    {
        if (Pattern.isEmpty() || Pattern.startsWith(QLatin1String("*.")))
            return;
        if (std::none_of(Pattern.begin(), Pattern.end(), IsWildcard)) {
            literals_.insert(Pattern);
            return;
        }
        QRegularExpression expression(QRegularExpression::wildcardToRegularExpression(Pattern));
        expression.optimize();
        others_.push_back({std::move(expression), IsWildcard(Pattern.front()) ? QChar() : Pattern.front(),
                           IsWildcard(Pattern.back()) ? QChar() : Pattern.back()});
    }

    bool known_ = false;
    QSet<QString> literals_;
    std::vector<TPattern> others_;
};

TNameType LookUp(const QString& Name)
{
    TNameType type;
    type.Type = QMimeDatabase().mimeTypeForFile(Name, QMimeDatabase::MatchExtension);
    type.Comment = type.Type.comment();
    return type;
}

// The types by ending, and the patterns that make exceptions. Endings with numbers in them
// ("log.1", "log.2", ...) could grow the table without end: it starts afresh past a limit.
class TEndingTypes {
public:
    TNameType Find(const QString& Name, bool WithIcon)
    {
        const qsizetype dot = Name.indexOf(QLatin1Char('.'));
        std::lock_guard<std::mutex> lock(mutex_);
        if (dot < 0 || !patterns_.Known() || patterns_.MayMatch(Name))
            return WithIconIndex(LookUp(Name), WithIcon);
        const QString ending = Name.mid(dot);
        auto found = types_.find(ending);
        if (found == types_.end()) {
            if (types_.size() >= MaxEndings)
                types_.clear();
            found = types_.insert(ending, LookUp(Name));
        }
        return WithIconIndex(*found, WithIcon);
    }

private:
    static constexpr qsizetype MaxEndings = 4096;

    static TNameType& WithIconIndex(TNameType& Type, bool WithIcon)
    {
        if (WithIcon && Type.IconIndex == 0)
            Type.IconIndex = win::MimeIconIndex(Type.Type);
        return Type;
    }
    static TNameType WithIconIndex(TNameType&& Type, bool WithIcon) { return WithIconIndex(Type, WithIcon); }

    std::mutex mutex_;
    THeadPatterns patterns_;
    QHash<QString, TNameType> types_;
};

} // namespace

win::TNameType win::NameType(const QString& Name, bool WithIcon)
{
    static TEndingTypes* types = new TEndingTypes; // for the life of the process, as the image lists
    return types->Find(Name, WithIcon);
}
