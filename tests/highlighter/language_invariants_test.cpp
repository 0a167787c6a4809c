// What every language parser keeps to over any text: its samples, the system's headers and web
// pages, and random bytes. Tokens are at least one character long and cover the text, nothing is
// raised, and a scan resumed where the editor resumes one (the start of a run of equal tokens
// whose token is an anchor) gives the tokens a scan from the start gave there.
#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"
#include "editor/document/text_store.h"
#include "editor/language/sm_settings.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"

#include "support/random_cases.h"
#include "token_scan.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <random>

namespace {

constexpr int RestartsPerText = 12;

// The token of every character from From on, scanning from there in the states of Context.
std::vector<std::uint8_t> TokenBytes(TSyntaxMemoParser& Parser, TMemoCore& Memo, int From, int Context)
{
    TTokenScan scan = ScanTokenBytes(Parser, Memo, From, Context);
    if (scan.BadStart >= 0)
        ADD_FAILURE() << "token of length " << scan.BadLength << " at " << scan.BadStart << " ends at "
                      << scan.BadEnd;
    return std::move(scan.Bytes);
}

void CheckText(TSyntaxMemoParser& Parser, std::string_view Text, const std::string& Where)
{
    SCOPED_TRACE(Parser.Name.toStdString() + " over " + Where);
    TMemoCore memo;
    memo.SetText(Text);
    std::vector<std::uint8_t> bytes;
    ASSERT_NO_THROW(bytes = TokenBytes(Parser, memo, 0, 0));
    ASSERT_EQ(int(bytes.size()), memo.TextLength());

    std::vector<int> restarts;
    for (std::size_t p = 0; p < bytes.size(); ++p) {
        if ((p == 0 || bytes[p - 1] != bytes[p]) && Parser.AnchorStates.Contains(bytes[p]))
            restarts.push_back(int(p));
    }
    const std::size_t step = std::max<std::size_t>(1, restarts.size() / RestartsPerText);
    for (std::size_t i = 0; i < restarts.size(); i += step) {
        const int from = restarts[i];
        const std::vector<std::uint8_t> resumed = TokenBytes(Parser, memo, from, bytes[std::size_t(from)]);
        const auto first = std::mismatch(resumed.begin(), resumed.end(), bytes.begin() + from);
        ASSERT_TRUE(first.first == resumed.end() && resumed.size() == bytes.size() - std::size_t(from))
            << "resumed at " << from << " with token " << int(bytes[std::size_t(from)]) << ", differs at "
            << from + (first.first - resumed.begin());
    }
}

QByteArray FileBytes(const QString& Name)
{
    QFile file(Name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Files below Folder whose names match Filter, read whole until Budget bytes are gathered.
std::vector<std::pair<QString, QByteArray>> Corpus(const QString& Folder, const QStringList& Filter,
                                                   qint64 Budget)
{
    std::vector<std::pair<QString, QByteArray>> files;
    QDirIterator it(Folder, Filter, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext() && Budget > 0) {
        const QString name = it.next();
        const QByteArray bytes = FileBytes(name);
        Budget -= bytes.size();
        files.emplace_back(name, bytes);
    }
    return files;
}

class LanguageInvariants : public ::testing::Test {
protected:
    TComponent owner_;
    std::vector<TSyntaxMemoParser*> parsers_ = CreateLanguageParsers(&owner_);
    // Corpora are capped; HFTP_RANDOM_CASES scales the cap and the random texts.
    const int scale_ = randomCaseCount(1);
};

TEST_F(LanguageInvariants, HoldOverEverySample)
{
    const QStringList samples = QDir(HFTP_TEST_SAMPLES).entryList(QDir::Files);
    ASSERT_FALSE(samples.isEmpty());
    for (TSyntaxMemoParser* parser : parsers_) {
        CheckText(*parser, parser->Settings().ExampleText.toStdString(), "its example");
        for (const QString& sample : samples)
            CheckText(*parser, FileBytes(QStringLiteral(HFTP_TEST_SAMPLES "/") + sample).toStdString(),
                      sample.toStdString());
    }
}

TEST_F(LanguageInvariants, HoldOverSystemHeadersAndWebPages)
{
    const std::vector<std::pair<const char*, std::vector<std::pair<QString, QByteArray>>>> corpora{
        {"parserANSIC", Corpus("/usr/include", {"*.h"}, 400000LL * scale_)},
        {"parserHTML", Corpus("/usr/share/doc", {"*.html", "*.htm"}, 400000LL * scale_)},
    };
    for (const auto& [name, files] : corpora) {
        for (TSyntaxMemoParser* parser : parsers_) {
            if (parser->Name != QLatin1String(name))
                continue;
            for (const auto& [file, bytes] : files)
                CheckText(*parser, bytes.toStdString(), file.toStdString());
        }
    }
}

TEST_F(LanguageInvariants, HoldOverRandomBytes)
{
    // Mostly the characters the languages give meaning to, with any byte now and then.
    const std::string meaningful = "<>&;#$'\"/*-{}()=!?% \t\n\\@.:_abcdeghilmnoprstuxyzABHX0123456789";
    std::mt19937 random(1234);
    const int cases = 20 * scale_;
    for (int n = 0; n < cases; ++n) {
        std::string text(std::size_t(random() % 600), ' ');
        for (char& c : text) {
            c = random() % 8 == 0 ? char(1 + random() % 255) : meaningful[random() % meaningful.size()];
        }
        for (TSyntaxMemoParser* parser : parsers_)
            CheckText(*parser, text, "random text " + std::to_string(n));
    }
}

} // namespace
