// Format and FloatToStrF: specifiers, widths and precisions, rounding, separators and misuse.
#include "platform/rtl/format.h"
#include "support/format_settings_scope.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Format, FillsSpecifiersWithTheirArguments)
{
    FormatSettingsScope english;
    struct Case {
        QString format;
        std::vector<TFormatArg> args;
        QString expected;
    };
    const Case cases[] = {
        {"Connected to %s", {"ftp.example.org"}, "Connected to ftp.example.org"},
        {"SITE CHMOD %d %s", {755, QString("a b.txt")}, "SITE CHMOD 755 a b.txt"},
        {"Error: %d in Request: %s. %s", {11001, "OpenAsync", ""}, "Error: 11001 in Request: OpenAsync. "},
        {"%d|%d", {-42, std::int64_t(1) << 40}, "-42|1099511627776"},
        {"[%5d][%-5d][%.3d][%.3d]", {42, 42, 7, -7}, "[   42][42   ][007][-007]"},
        {"%6d:", {12}, "    12:"},
        {"#%.6x|%x|%.2x|%X", {0x102030, 255, 10, 171}, "#102030|ff|0a|ab"},
        {"%x|%x|%u", {-1, std::int64_t(-1), -1}, "ffffffff|ffffffffffffffff|4294967295"},
        {"%d|%u", {std::uint64_t(18446744073709551615ull), std::uint8_t(200)}, "18446744073709551615|200"},
        {"%s|%.2s|%8s|%-8s|", {"abc", "abcdef", "right", "left"}, "abc|ab|   right|left    |"},
        {"%f|%.0f|%.2f|%.1f|%.3f", {1.5, 2.5, 0.125, -0.04, -1.0005}, "1.50|3|0.13|0.0|-1.000"},
        {"%n|%.0n|%1.0n|%.1n",
         {1234567.891, 1234.5, 150.0, -999999.96},
         "1,234,567.89|1,235|150|-1,000,000.0"},
        {"100%% of %d%%", {5}, "100% of 5%"},
        {"no specifiers", {}, "no specifiers"},
        {"%D %S", {5, "x"}, "5 x"},
        {"%s", {QString::fromUtf8("\xC3\xA9t\xC3\xA9")}, QString::fromUtf8("\xC3\xA9t\xC3\xA9")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        QString result;
        switch (c.args.size()) {
        case 0: result = Format(c.format); break;
        case 1: result = Format(c.format, {c.args[0]}); break;
        case 2: result = Format(c.format, {c.args[0], c.args[1]}); break;
        case 3: result = Format(c.format, {c.args[0], c.args[1], c.args[2]}); break;
        case 4: result = Format(c.format, {c.args[0], c.args[1], c.args[2], c.args[3]}); break;
        case 5: result = Format(c.format, {c.args[0], c.args[1], c.args[2], c.args[3], c.args[4]}); break;
        default: FAIL() << "too many arguments for the table";
        }
        EXPECT_EQ(result, c.expected);
    }
}

TEST(Format, NumbersFollowTheLocalesSeparators)
{
    TFormatSettings german;
    german.DecimalSeparator = u',';
    german.ThousandSeparator = u'.';
    FormatSettingsScope scope(german);
    EXPECT_EQ(Format("%n %f", {1234.5, 0.25}), "1.234,50 0,25");
    EXPECT_EQ(FloatToStrF(1.4648, ffGeneral, 3, 0), "1,46");
    german.ThousandSeparator = QChar();
    FormatSettingsScope none(german);
    EXPECT_EQ(Format("%n", {1234567.0}), "1234567,00");
}

TEST(Format, MisfitsAndMissingArgumentsRaiseConvertErrors)
{
    struct Case {
        QString format;
        std::vector<TFormatArg> args;
    };
    const Case cases[] = {
        {"%d", {"text"}}, {"%s", {5}}, {"%f", {5}}, {"%x", {1.5}}, {"%n", {"1"}},
        {"50%", {}},      {"%q", {5}}, {"%5", {5}}, {"%-.", {5}},  {"%999999d", {5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        try {
            if (c.args.empty())
                Format(c.format);
            else
                Format(c.format, {c.args[0]});
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, "Format '" + c.format + "' invalid or incompatible with argument");
        }
    }
    try {
        Format("%s and %s", {"one"});
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "No argument for format '%s and %s'");
    }
}

TEST(FloatToStrF, GeneralFormatKeepsSignificantDigitsAndSwitchesToExponents)
{
    FormatSettingsScope english;
    struct Case {
        double value;
        int precision, digits;
        QString expected;
    };
    const Case cases[] = {
        {1536000.0 / 1048576, 3, 0, "1.46"},
        {1.5, 3, 0, "1.5"},
        {100, 3, 0, "100"},
        {2.675, 3, 0, "2.67"}, // the double is just below 2.675
        {0.125, 2, 0, "0.13"},
        {-2.25, 3, 0, "-2.25"},
        {999.5, 3, 0, "1E3"},
        {1024, 3, 0, "1.02E3"},
        {1024, 3, 2, "1.02E03"},
        {0.00001, 3, 0, "0.00001"},
        {0.0000015, 3, 0, "1.5E-6"},
        {0, 3, 0, "0"},
        {-0.0, 3, 0, "0"},
        {123456789012345678.0, 17, 0, "1.2345678901234568E17"},
        {std::numeric_limits<double>::quiet_NaN(), 3, 0, "NAN"},
        {-std::numeric_limits<double>::infinity(), 3, 0, "-INF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, ffGeneral, c.precision, c.digits), c.expected) << c.value;
    EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 15, 1), "1234.6");
    EXPECT_EQ(FloatToStrF(1234.5678, ffNumber, 15, 3), "1,234.568");
    EXPECT_EQ(FloatToStrF(99.999, ffFixed, 15, 2), "100.00");
}
