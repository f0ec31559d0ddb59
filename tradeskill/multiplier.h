#pragma once

#include <QByteArray>
#include <QString>

// A requirement's multiplier text, read the way the C library's strtod reads
// it in the C locale: leading blanks, a sign, digits with a decimal point and
// an exponent, or a hexadecimal number, or "inf"/"nan"; whatever follows the
// leading number is ignored ("2x" is 2) and text without one reads as 0.
//
// The decimal digits are kept as they are, so the amount for a QL is the
// exact decimal product rather than a rounded binary one: 0.07 x 100 is 7.
class Multiplier
{
public:
    explicit Multiplier(const QString &text);

    // The value strtod gives for the text.
    double value() const { return m_value; }
    // A multiplier whose value is 0 marks a requirement that doesn't scale.
    bool isFixed() const { return m_value == 0.0; }
    // False for text that strtod reads no number from at all ("abc", "").
    bool hasLeadingNumber() const { return m_hasNumber; }

    // The value the text counts as, every digit written: "1,5" counts as 1,
    // "1e2" as 100; infinite and NaN values as "inf", "-inf" and "nan".
    QString valueText() const;

    // The amount needed at `ql`: "Fixed", or the product rounded up to a
    // whole number when it is positive. A negative product keeps its
    // fraction. Every digit is written, without an exponent, up to a
    // thousand zeros from the multiplier's exponent ("2e1001" beyond);
    // infinite and NaN values show as such.
    QString amountText(int ql) const;

private:
    void parseDecimal(const QByteArray &text, int start);

    double m_value = 0.0;
    bool m_hasNumber = true;
    bool m_exact = false;   // true when m_digits/m_exponent hold the value (decimal text)
    bool m_negative = false;
    QByteArray m_digits;    // decimal digits without leading zeros
    qint64 m_exponent = 0;  // value = digits x 10^exponent
};
