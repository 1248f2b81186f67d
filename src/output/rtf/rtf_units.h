#pragma once

// Every length of the rich-text engine, each in its unit. A length carries its unit
// in its type and changes unit only by converting to another length type, so a
// length cannot be taken for another unit or converted twice: TPoints(twips) is
// right whether `twips` came from a file or from another conversion.
//
// The units: twips (1/1440 inch) in RTF files and page setups; points (1/72 inch),
// the page layout's own unit, which Qt's layout takes as its device pixels; format
// units (1/96 inch), the lengths QTextDocument formats hold.
template <int PerInch> class TLength {
public:
    static constexpr double kPerInch = PerInch;

    constexpr TLength() = default;
    constexpr explicit TLength(double value) : value_(value) {}
    template <int Other>
    constexpr TLength(TLength<Other> other) // NOLINT: converting keeps the length
        : value_(other.Value() * PerInch / Other) {}

    constexpr double Value() const { return value_; }
    constexpr double Inches() const { return value_ / PerInch; }

    constexpr TLength operator+(TLength o) const { return TLength(value_ + o.value_); }
    constexpr TLength operator-(TLength o) const { return TLength(value_ - o.value_); }
    constexpr TLength operator*(double f) const { return TLength(value_ * f); }
    constexpr TLength operator/(double f) const { return TLength(value_ / f); }
    constexpr double operator/(TLength o) const { return value_ / o.value_; }
    constexpr TLength& operator+=(TLength o) {
        value_ += o.value_;
        return *this;
    }
    constexpr auto operator<=>(const TLength&) const = default;

private:
    double value_ = 0;
};

using TTwips = TLength<1440>;
using TPoints = TLength<72>;
using TFormatUnits = TLength<96>;
// Metafile extents (\picw, \pich of a metafile): hundredths of a millimetre.
using THundredthsMm = TLength<2540>;
