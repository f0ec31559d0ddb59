#include "tradeskill/multiplier.h"

#include <cmath>
#include <cstdlib>

namespace {

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool startsWithNoCase(const QByteArray &text, int at, const char *word)
{
    return text.mid(at).toLower().startsWith(word);
}

// Exponents far beyond the range of a double all give 0 or infinity; the
// clamp keeps the arithmetic away from overflow.
constexpr qint64 ExponentLimit = 1000000;

qint64 clampExponent(qint64 exponent)
{
    return qBound(-ExponentLimit * 4, exponent, ExponentLimit * 4);
}

// Reads an exponent part ("e-12", "p+3") at `i`, if one stands there with at
// least one digit, and moves `i` behind it; otherwise 0, `i` unchanged.
qint64 readExponent(const QByteArray &text, int &i, char mark)
{
    const auto at = [&text](int pos) { return pos < text.size() ? text.at(pos) : '\0'; };
    const bool signedExponent = at(i + 1) == '+' || at(i + 1) == '-';
    const bool markHere = (at(i) | 0x20) == mark; // either case
    if (!markHere || !isDigit(at(i + (signedExponent ? 2 : 1))))
        return 0;
    const bool negative = at(i + 1) == '-';
    i += signedExponent ? 2 : 1;
    qint64 value = 0;
    for (; isDigit(at(i)); ++i)
        value = qMin(value * 10 + (at(i) - '0'), ExponentLimit);
    return negative ? -value : value;
}

// Reads "digits e exponent" without a decimal point, so the C library's
// locale can't change how it is read.
double toDouble(bool negative, const QByteArray &digits, qint64 exponent, char exponentMark = 'e')
{
    if (digits.isEmpty())
        return negative ? -0.0 : 0.0;
    const QByteArray text = (negative ? "-" : "") + digits + exponentMark + QByteArray::number(exponent);
    return std::strtod(text.constData(), nullptr);
}

// `digits` x `factor` for a non-negative decimal digit string and factor.
QByteArray multiplyDigits(const QByteArray &digits, qint64 factor)
{
    QByteArray result(digits.size() + 12, '0');
    qint64 carry = 0;
    int out = int(result.size());
    for (int i = int(digits.size()) - 1; i >= 0; --i) {
        const qint64 v = qint64(digits.at(i) - '0') * factor + carry;
        result[--out] = char('0' + v % 10);
        carry = v / 10;
    }
    while (carry > 0) {
        result[--out] = char('0' + carry % 10);
        carry /= 10;
    }
    return result.mid(out);
}

QByteArray incrementDigits(QByteArray digits)
{
    int i = int(digits.size()) - 1;
    while (i >= 0 && digits.at(i) == '9')
        digits[i--] = '0';
    if (i < 0)
        return '1' + digits;
    digits[i] = char(digits.at(i) + 1);
    return digits;
}

QByteArray stripLeadingZeros(const QByteArray &digits)
{
    int i = 0;
    while (i < digits.size() - 1 && digits.at(i) == '0')
        ++i;
    return digits.mid(i);
}

// An exponent can add any number of zeros to a short multiplier ("1e999999"
// is nine characters); beyond this many the digits are followed by the
// exponent instead, so a hostile file can't make an amount of megabytes.
constexpr qint64 WrittenZerosLimit = 1000;

// (-)digits x 10^exponent with every digit, in plain decimal: "-12345678.9",
// "0.0000001", "1" and 400 zeros; "0" for zero digits.
QString decimalText(bool negative, const QByteArray &digits, qint64 exponent)
{
    const QByteArray magnitude = stripLeadingZeros(digits);
    if (magnitude.isEmpty() || magnitude == "0")
        return QStringLiteral("0");
    QByteArray text = magnitude;
    if (exponent > WrittenZerosLimit) {
        text += 'e' + QByteArray::number(exponent);
    } else if (exponent >= 0) {
        text += QByteArray(int(exponent), '0');
    } else {
        const qint64 fractionDigits = -exponent;
        if (magnitude.size() <= fractionDigits)
            text = "0." + QByteArray(int(fractionDigits - magnitude.size()), '0') + magnitude;
        else
            text.insert(int(magnitude.size() - fractionDigits), '.');
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return QString::fromLatin1((negative ? "-" : "") + text);
}

// A double with every digit of its exact value; infinities and NaN as words.
QString doubleText(double x)
{
    if (std::isnan(x))
        return QStringLiteral("nan");
    if (std::isinf(x))
        return x < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    if (x == std::floor(x))
        return QString::number(x, 'f', 0);
    // x = m / 2^k with a whole m below 2^53; m / 2^k = m x 5^k / 10^k.
    double m = x;
    qint64 k = 0;
    for (; m != std::floor(m); ++k)
        m *= 2;
    QByteArray digits = QByteArray::number(qint64(std::fabs(m)));
    // 5^13 at a time: k reaches 1074 for the smallest doubles.
    constexpr qint64 FivePow13 = 1220703125;
    for (qint64 left = k; left > 0; left -= 13) {
        qint64 factor = FivePow13;
        for (qint64 i = left; i < 13; ++i)
            factor /= 5;
        digits = multiplyDigits(digits, factor);
    }
    return decimalText(x < 0, digits, -k);
}

} // namespace

Multiplier::Multiplier(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    int i = 0;
    while (i < bytes.size() && isCSpace(bytes.at(i)))
        ++i;
    if (i < bytes.size() && (bytes.at(i) == '+' || bytes.at(i) == '-')) {
        m_negative = bytes.at(i) == '-';
        ++i;
    }

    const auto at = [&bytes](int pos) { return pos < bytes.size() ? bytes.at(pos) : '\0'; };

    if (startsWithNoCase(bytes, i, "inf")) {
        m_value = m_negative ? -HUGE_VAL : HUGE_VAL;
        return;
    }
    if (startsWithNoCase(bytes, i, "nan")) {
        m_value = m_negative ? -NAN : NAN;
        return;
    }
    if (at(i) == '0' && (at(i + 1) == 'x' || at(i + 1) == 'X')
        && (isHexDigit(at(i + 2)) || (at(i + 2) == '.' && isHexDigit(at(i + 3))))) {
        // Hexadecimal: digits in base 16, a binary exponent after 'p'.
        i += 2;
        QByteArray digits;
        qint64 exponent = 0;
        for (; isHexDigit(at(i)); ++i)
            digits += at(i);
        if (at(i) == '.') {
            for (++i; isHexDigit(at(i)); ++i) {
                digits += at(i);
                exponent -= 4;
            }
        }
        exponent = clampExponent(exponent + readExponent(bytes, i, 'p'));
        m_value = toDouble(m_negative, "0x" + digits, exponent, 'p');
        return;
    }
    parseDecimal(bytes, i);
}

void Multiplier::parseDecimal(const QByteArray &text, int i)
{
    const auto at = [&text](int pos) { return pos < text.size() ? text.at(pos) : '\0'; };
    QByteArray digits;
    qint64 exponent = 0;
    bool anyDigit = false;
    for (; isDigit(at(i)); ++i) {
        anyDigit = true;
        if (!digits.isEmpty() || at(i) != '0')
            digits += at(i);
    }
    if (at(i) == '.') {
        for (++i; isDigit(at(i)); ++i) {
            anyDigit = true;
            --exponent;
            if (!digits.isEmpty() || at(i) != '0')
                digits += at(i);
        }
    }
    if (!anyDigit) {
        m_hasNumber = false; // no leading number: 0
        return;
    }
    exponent = clampExponent(exponent + readExponent(text, i, 'e'));
    m_digits = digits;
    m_exponent = exponent;
    m_value = toDouble(m_negative, digits, exponent);
    m_exact = true; // beyond the range of a double too
}

QString Multiplier::valueText() const
{
    if (isFixed())
        return QStringLiteral("0"); // "1e-400" too: it reads as 0
    return m_exact ? decimalText(m_negative, m_digits, m_exponent) : doubleText(m_value);
}

QString Multiplier::amountText(int ql) const
{
    if (isFixed())
        return QStringLiteral("Fixed");
    if (!m_exact) {
        const double x = m_value * ql;
        return doubleText(x > 0 ? std::ceil(x) : x);
    }

    // The digits are multiplied as magnitudes; the sign is kept apart.
    const bool negative = m_negative != (ql < 0);
    const QByteArray product = multiplyDigits(m_digits, ql < 0 ? -qint64(ql) : qint64(ql));
    bool hasFraction = false;
    if (m_exponent < 0) {
        const qint64 fractionDigits = qMin(-m_exponent, qint64(product.size()));
        for (char c : product.right(fractionDigits))
            hasFraction = hasFraction || c != '0';
    }
    if (!hasFraction || negative)
        return decimalText(negative, product, m_exponent);
    // A positive product with a fraction is rounded up to the next whole number.
    const qint64 wholeDigits = product.size() + m_exponent;
    const QByteArray whole = wholeDigits > 0 ? stripLeadingZeros(product.left(wholeDigits)) : QByteArray("0");
    return QString::fromLatin1(incrementDigits(whole));
}
