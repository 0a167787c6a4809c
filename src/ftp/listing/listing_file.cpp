// TListingFile: a listing file split into lines as bytes, and the entries made of them.
#include "ftp/listing/listing_file.h"

#include "ftp/listing/listing_arena.h"
#include "ftp/listing/listing_date.h"
#include "ftp/listing/listing_line_fields.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/string_list.h"
#include "platform/system/name_encoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr int LinesExamined = 5;

// The lines of a stream, read in blocks. A line ends at CR LF, LF or CR; the last one may have no
// end. Only a line longer than a block makes the buffer grow.
class TLineReader {
public:
    explicit TLineReader(TStream& Stream) : stream_(Stream), buffer_(BlockSize) {}

    // The next line without its end, valid until the next call; false after the last line.
    bool Next(QByteArrayView& Line)
    {
        for (;;) {
            const char* begin = buffer_.data() + start_;
            const qsizetype available = end_ - start_;
            const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', size_t(available)));
            const char* searchEnd = lf ? lf : begin + available;
            const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', size_t(searchEnd - begin)));
            qsizetype length = 0;
            qsizetype ending = 0;
            if (cr && (cr + 1 < begin + available || ended_)) {
                length = cr - begin;
                ending = cr + 1 < begin + available && cr[1] == '\n' ? 2 : 1;
            } else if (!cr && lf) {
                length = lf - begin;
                ending = 1;
            } else if (!cr && ended_) {
                if (available == 0)
                    return false;
                length = available;
            } else {
                Refill();
                continue;
            }
            Line = QByteArrayView(begin, length);
            start_ += length + ending;
            return true;
        }
    }

private:
    static constexpr qsizetype BlockSize = 256 * 1024;

    void Refill()
    {
        std::memmove(buffer_.data(), buffer_.data() + start_, size_t(end_ - start_));
        end_ -= start_;
        start_ = 0;
        if (end_ == qsizetype(buffer_.size()))
            buffer_.resize(buffer_.size() * 2);
        const std::int64_t n = stream_.Read(buffer_.data() + end_, std::int64_t(buffer_.size()) - end_);
        ended_ = n <= 0;
        end_ += qsizetype(std::max<std::int64_t>(n, 0));
    }

    TStream& stream_;
    std::vector<char> buffer_;
    qsizetype start_ = 0;
    qsizetype end_ = 0;
    bool ended_ = false;
};

bool IsAscii(QByteArrayView Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text of a field: its bytes as the names of files are decoded; ASCII (most fields) straight.
QString Decoded(QByteArrayView Bytes)
{
    if (IsAscii(Bytes))
        return QString::fromLatin1(Bytes.data(), Bytes.size());
    return DecodeName(QByteArray::fromRawData(Bytes.data(), Bytes.size()));
}

// Makes the entries of a listing's lines, in an arena. Listings repeat a few attribute texts and
// many dates: each distinct text is decoded once and shared, each date text read once.
class TEntryMaker {
public:
    TEntryMaker(TListingFormat Format, TDateTime CurrentTime, bool KeepLines, qsizetype ExpectedLines)
        : format_(Format), now_(CurrentTime), keepLines_(KeepLines),
          dates_(std::bit_ceil(
              size_t(std::clamp<qsizetype>(ExpectedLines / 32, MinimumDateSlots, MaximumDateSlots))))
    {
    }

    void Add(QByteArrayView Line, std::vector<std::unique_ptr<TFtpDirInfo>>& Entries)
    {
        const TListingLineFields fields = SplitListingLine(Line, format_);
        if (fields.Count == 0)
            return;
        std::unique_ptr<TFtpDirInfo> made(new (arena_) TFtpDirInfo);
        TFtpDirInfo& entry = *Entries.emplace_back(std::move(made));
        entry.Attributes = Attributes(Line, fields);
        const bool link = fields.Attributes.End > fields.Attributes.Start && Line[fields.Attributes.Start] == 'l';
        if (keepLines_ || link)
            entry.Line = Text(Line);
        if (fields.Count < 2) {
            entry.SizeText.clear();
            return;
        }
        const TListingSpan size = fields.Size;
        if (size.End > size.Start)
            entry.SizeText = Text(Line.sliced(size.Start, size.End - size.Start));
        if (fields.Count < 3)
            return;
        entry.DateTime = Date(Line, fields);
        if (fields.Count < 4)
            return;
        std::string_view name(Line.data() + fields.Name.Start, size_t(fields.Name.End - fields.Name.Start));
        // A link's name stands before " -> " and its target.
        if (link)
            name = name.substr(0, name.find(" -> "));
        entry.Name = Text(QByteArrayView(name.data(), qsizetype(name.size())));
    }

private:
    static constexpr int AttributesKept = 8;
    // The dates are kept in pairs of slots (a power of two of them), more for a longer listing.
    static constexpr qsizetype MinimumDateSlots = 64;
    static constexpr qsizetype MaximumDateSlots = 4096;
    static constexpr qsizetype DateKeyLength = 32;

    // A date text of up to DateKeyLength bytes, the rest of them zero, to hash and compare a word
    // at a time.
    struct TDateKey {
        std::array<std::uint64_t, DateKeyLength / 8> words{};
        qsizetype length = -1;

        bool operator==(const TDateKey&) const = default;
        char* Bytes() { return reinterpret_cast<char*>(words.data()); }
    };

    struct TDateSlot {
        TDateKey key;
        TDateTime value = 0;
    };

    // The text Decoded gives; an ASCII one (most fields) lies in the arena.
    QString Text(QByteArrayView Bytes) { return IsAscii(Bytes) ? arena_.Latin1(Bytes) : Decoded(Bytes); }

    QString Attributes(QByteArrayView line, const TListingLineFields& fields)
    {
        if (fields.Attributes.End == fields.Attributes.Start) {
            static const QString folder = QStringLiteral("d"), file = QStringLiteral("-");
            return fields.Kind == 'd' ? folder : fields.Kind == '-' ? file : QString();
        }
        const QByteArrayView text =
            line.sliced(fields.Attributes.Start, fields.Attributes.End - fields.Attributes.Start);
        for (const auto& [bytes, decoded] : attributes_) {
            if (bytes == text)
                return decoded;
        }
        std::pair<QByteArray, QString> kept{text.toByteArray(), Decoded(text)};
        if (attributes_.size() < AttributesKept)
            attributes_.push_back(kept);
        else
            attributes_[nextAttributes_++ % AttributesKept] = kept;
        return kept.second;
    }

    // The date columns joined with single blanks, as bytes; read as text only when the pair of
    // slots its hash chooses does not hold it yet (it then takes the first, the older the second).
    TDateTime Date(QByteArrayView line, const TListingLineFields& fields)
    {
        TDateKey key;
        key.length = 0;
        for (int i = 0; i < fields.DateCount; ++i) {
            const TListingSpan span = fields.Date[i];
            key.length += (i > 0 ? 1 : 0) + span.End - span.Start;
            if (key.length > DateKeyLength) {
                JoinListingDate(line, fields, date_);
                return ParseListingDate(QStringView(date_.constData(), date_.size()), now_);
            }
            char* at = key.Bytes() + key.length - (span.End - span.Start);
            if (i > 0)
                at[-1] = ' ';
            std::memcpy(at, line.data() + span.Start, size_t(span.End - span.Start));
        }
        // Only the top bits of a product depend on every bit of what was multiplied: they choose.
        std::uint64_t hash = 0;
        for (const std::uint64_t word : key.words)
            hash = (hash ^ word) * 0x9e3779b97f4a7c15u;
        const int pairBits = std::countr_zero(dates_.size()) - 1;
        TDateSlot* pair = &dates_[size_t(hash >> (64 - pairBits)) * 2];
        if (pair[0].key == key)
            return pair[0].value;
        if (pair[1].key == key)
            return pair[1].value;
        pair[1] = pair[0];
        pair[0].key = key;
        date_.clear();
        for (qsizetype i = 0; i < key.length; ++i)
            date_.append(QChar(ListingUnit(key.Bytes()[i])));
        pair[0].value = ParseListingDate(QStringView(date_.constData(), date_.size()), now_);
        return pair[0].value;
    }

    const TListingFormat format_;
    const TDateTime now_;
    const bool keepLines_;
    TListingArena arena_;
    std::vector<std::pair<QByteArray, QString>> attributes_;
    int nextAttributes_ = 0;
    std::vector<TDateSlot> dates_;
    QVarLengthArray<QChar, 64> date_;
};

} // namespace

void TListingFile::LoadFromFile(const QString& FileName, TDateTime CurrentTime, TListingFormat Format)
{
    entries_.clear();
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream, CurrentTime, Format);
}

void TListingFile::LoadFromStream(TStream& Stream, TDateTime CurrentTime, TListingFormat Format)
{
    entries_.clear();
    firstLines_.Clear();
    lineCount_ = 0;
    format_ = lfUnknown;
    const std::int64_t remaining = std::max<std::int64_t>(Stream.Size() - Stream.Position(), 0);
    TLineReader reader(Stream);

    // The first lines judge the format; they are then read like the others.
    std::vector<QByteArray> first;
    std::int64_t firstBytes = 0;
    QByteArrayView line;
    bool more = true;
    while (int(first.size()) < LinesExamined && (more = reader.Next(line))) {
        first.push_back(line.toByteArray());
        firstBytes += line.size() + 1;
        firstLines_.Add(Decoded(line));
    }
    lineCount_ = int(first.size());
    format_ = Format == lfUnknown ? DetectListingFormat(firstLines_) : Format;
    if (format_ == lfUnknown)
        return;
    // The lines to expect if the others are as long as the first ones; short first lines (a total
    // line) must not make it expect a line for every few bytes.
    const qsizetype expected = qsizetype(
        firstBytes == 0 ? 0
                        : std::min(remaining * std::int64_t(first.size()) / firstBytes, remaining / 16));
    entries_.reserve(size_t(expected));
    TEntryMaker maker(format_, CurrentTime, KeepLines, expected);
    for (const QByteArray& bytes : first)
        maker.Add(bytes, entries_);
    while (more && reader.Next(line)) {
        ++lineCount_;
        maker.Add(line, entries_);
    }
}
