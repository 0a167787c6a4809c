// TListingFile: a listing file split into lines as bytes, and the entries made of them.
#include "ftp/listing/listing_file.h"

#include "ftp/listing/listing_date.h"
#include "ftp/listing/listing_line_fields.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/string_list.h"
#include "platform/system/name_encoding.h"

#include <algorithm>
#include <array>
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

// The text of a field: its bytes as the names of files are decoded; ASCII (most fields) straight.
QString Decoded(QByteArrayView bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes.data(), bytes.size());
    return DecodeName(QByteArray::fromRawData(bytes.data(), bytes.size()));
}

// Makes the entries of a listing's lines. Listings repeat a few attribute texts and many dates:
// each distinct text is decoded once and shared, each date text read once.
class TEntryMaker {
public:
    TEntryMaker(TListingFormat Format, TDateTime CurrentTime, bool KeepLines)
        : format_(Format), now_(CurrentTime), keepLines_(KeepLines)
    {
    }

    void Add(QByteArrayView Line, std::vector<std::unique_ptr<TFtpDirInfo>>& Entries)
    {
        const TListingLineFields fields = SplitListingLine(Line, format_);
        if (fields.Count == 0)
            return;
        TFtpDirInfo& entry = *Entries.emplace_back(std::make_unique<TFtpDirInfo>());
        entry.Attributes = Attributes(Line, fields);
        const bool link = fields.Attributes.End > fields.Attributes.Start && Line[fields.Attributes.Start] == 'l';
        if (keepLines_ || link)
            entry.Line = Decoded(Line);
        if (fields.Count < 2) {
            entry.SizeText.clear();
            return;
        }
        const TListingSpan size = fields.Size;
        if (size.End > size.Start)
            entry.SizeText = Decoded(Line.sliced(size.Start, size.End - size.Start));
        if (fields.Count < 3)
            return;
        entry.DateTime = Date(Line, fields);
        if (fields.Count < 4)
            return;
        std::string_view name(Line.data() + fields.Name.Start, size_t(fields.Name.End - fields.Name.Start));
        // A link's name stands before " -> " and its target.
        if (link)
            name = name.substr(0, name.find(" -> "));
        entry.Name = Decoded(QByteArrayView(name.data(), qsizetype(name.size())));
    }

private:
    static constexpr int AttributesKept = 8;
    static constexpr int DateSlots = 1024;
    static constexpr qsizetype DateKeyLength = 32;

    struct TDateSlot {
        std::array<char16_t, DateKeyLength> key;
        qsizetype length = -1;
        TDateTime value = 0;
    };

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

    TDateTime Date(QByteArrayView line, const TListingLineFields& fields)
    {
        JoinListingDate(line, fields, date_);
        const QStringView text(date_.constData(), date_.size());
        if (text.size() > DateKeyLength)
            return ParseListingDate(text, now_);
        std::uint32_t hash = 2166136261u;
        for (const QChar c : text)
            hash = (hash ^ c.unicode()) * 16777619u;
        TDateSlot& slot = dates_[hash % DateSlots];
        const QStringView key(slot.key.data(), std::max<qsizetype>(slot.length, 0));
        if (slot.length != text.size() || key != text) {
            for (qsizetype i = 0; i < text.size(); ++i)
                slot.key[size_t(i)] = text[i].unicode();
            slot.length = text.size();
            slot.value = ParseListingDate(text, now_);
        }
        return slot.value;
    }

    const TListingFormat format_;
    const TDateTime now_;
    const bool keepLines_;
    std::vector<std::pair<QByteArray, QString>> attributes_;
    int nextAttributes_ = 0;
    std::vector<TDateSlot> dates_ = std::vector<TDateSlot>(DateSlots);
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
    TLineReader reader(Stream);

    // The first lines judge the format; they are then read like the others.
    std::vector<QByteArray> first;
    QByteArrayView line;
    bool more = true;
    while (int(first.size()) < LinesExamined && (more = reader.Next(line))) {
        first.push_back(line.toByteArray());
        firstLines_.Add(Decoded(line));
    }
    lineCount_ = int(first.size());
    format_ = Format == lfUnknown ? DetectListingFormat(firstLines_) : Format;
    if (format_ == lfUnknown)
        return;
    TEntryMaker maker(format_, CurrentTime, KeepLines);
    for (const QByteArray& bytes : first)
        maker.Add(bytes, entries_);
    while (more && reader.Next(line)) {
        ++lineCount_;
        maker.Add(line, entries_);
    }
}
