// Format and FloatToStrF: the class library's text formatting of numbers and strings, type-safe.
#pragma once

#include "platform/rtl/exception.h"

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

// One argument of Format: an integer (of any width and signedness), a floating-point number or a
// text (QString, or a UTF-8 C string).
class TFormatArg {
public:
    enum Kind { Integer, Unsigned, Float, Text };

    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    TFormatArg(T value)
        : kind_(std::is_signed_v<T> ? Integer : Unsigned), int_(std::int64_t(value)),
          bits_(sizeof(T) < 4 ? 32 : int(sizeof(T) * 8))
    {
    }
    TFormatArg(bool) = delete;
    TFormatArg(double value) : kind_(Float), float_(value) {}
    TFormatArg(const QString& value) : kind_(Text), text_(value) {}
    TFormatArg(const char* value) : kind_(Text), text_(QString::fromUtf8(value)) {}

    Kind kind() const { return kind_; }
    std::int64_t integer() const { return int_; }
    int bits() const { return bits_; }
    double floating() const { return float_; }
    const QString& text() const { return text_; }

private:
    Kind kind_;
    std::int64_t int_ = 0;
    int bits_ = 32;
    double float_ = 0;
    QString text_;
};

// Fills a format with its arguments in order. A specifier is
//   "%" ["-"] [width] ["." precision] type
// with the types d (signed decimal; the precision is the least number of digits), u (unsigned
// decimal), x (lower-case hexadecimal; the precision is the least number of digits), s (text; the
// precision is the most characters), f (fixed, precision digits after the separator, 2 by default)
// and n (as f, with thousands separators); type letters may be capitals. The width pads with
// blanks on the left, or on the right after "-". "%%" is one "%". Numbers use FormatSettings'
// decimal and thousands separators. A specifier that does not fit its argument, or lacks one,
// raises EConvertError.
QString Format(const QString& Fmt, std::initializer_list<TFormatArg> Args = {});

enum TFloatFormat {
    // Precision significant digits without trailing zeros, in fixed notation when the number's
    // integer digits do not exceed Precision and it is at least 0.00001 (else as 1.5E-7, with at
    // least Digits exponent digits).
    ffGeneral,
    // Digits digits after the decimal separator.
    ffFixed,
    // As ffFixed, with thousands separators.
    ffNumber,
};

// A floating-point number as text, rounded half away from zero on its decimal digits; Precision
// (1 to 17) bounds the significant digits. Not-a-number and infinities give "NAN", "INF", "-INF".
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
