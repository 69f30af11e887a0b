#include "format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tarvo {

double Int(double x)
{
    return std::floor(x);
}

double Val(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number += char(text[i++].unicode());
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            number += char(c);
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            number += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    return std::strtod(number.c_str(), nullptr);
}

namespace {

struct Pattern {
    int integerZeros = 0; // '0' positions before the point: the minimum integer digits
    bool hasPoint = false;
    int fractionZeros = 0;  // fraction positions that are always shown
    int fractionDigits = 0; // all fraction positions ('0' and '#')
    bool percent = false;
};

Pattern parsePattern(QStringView pattern)
{
    Pattern p;
    for (const QChar ch : pattern) {
        const char16_t c = ch.unicode();
        if (c == u'%') {
            p.percent = true;
        } else if (c == u'.') {
            p.hasPoint = true;
        } else if (c == u'0' || c == u'#') {
            if (p.hasPoint) {
                ++p.fractionDigits;
                if (c == u'0')
                    p.fractionZeros = p.fractionDigits;
            } else if (c == u'0') {
                ++p.integerZeros;
            }
        }
    }
    return p;
}

// The decimal digits of |value| rounded to `decimals` fraction digits,
// halves away from zero, as an integer digit string and a fraction digit
// string. The value is first taken to 15 significant digits, so that a
// ratio such as 2/3 * 100 rounds as its decimal form says, not as the last
// bit of its binary form happens to fall.
void roundedDigits(double value, int decimals, std::string &integer, std::string &fraction)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf is "d.dddddddddddddde±XX"
    std::string mantissa;
    mantissa += buf[0];
    mantissa.append(buf + 2, 14);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);

    // Place the decimal point: digits before it are integer digits.
    int pointPos = exponent + 1; // number of digits before the point
    std::string digits = mantissa;
    if (pointPos <= 0) {
        digits.insert(0, std::size_t(1 - pointPos), '0');
        pointPos = 1;
    }
    if (int(digits.size()) < pointPos + decimals + 1)
        digits.append(std::size_t(pointPos + decimals + 1 - int(digits.size())), '0');

    // Round at position pointPos + decimals.
    const int keep = pointPos + decimals;
    const bool roundUp = digits[std::size_t(keep)] >= '5';
    digits.resize(std::size_t(keep));
    if (roundUp) {
        int k = keep - 1;
        while (k >= 0 && digits[std::size_t(k)] == '9') {
            digits[std::size_t(k)] = '0';
            --k;
        }
        if (k >= 0) {
            ++digits[std::size_t(k)];
        } else {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }
    integer = digits.substr(0, std::size_t(pointPos));
    fraction = digits.substr(std::size_t(pointPos));
}

} // namespace

QString Format(double value, QStringView pattern)
{
    const Pattern p = parsePattern(pattern);
    if (!std::isfinite(value))
        value = 0.0; // no caller divides by zero; never print "inf" or "nan"
    if (p.percent)
        value *= 100.0;

    std::string integer;
    std::string fraction;
    roundedDigits(value, p.fractionDigits, integer, fraction);

    // Integer part: no leading zeros beyond the pattern's '0' positions.
    const std::size_t firstSignificant = integer.find_first_not_of('0');
    integer = firstSignificant == std::string::npos ? std::string() : integer.substr(firstSignificant);
    if (int(integer.size()) < p.integerZeros)
        integer.insert(0, std::size_t(p.integerZeros - int(integer.size())), '0');

    // Fraction part: trailing zeros only in '0' positions.
    while (int(fraction.size()) > p.fractionZeros && fraction.back() == '0')
        fraction.pop_back();

    const bool isZero =
        integer.find_first_not_of('0') == std::string::npos && fraction.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (value < 0 && !isZero)
        out += '-';
    out += integer;
    if (p.hasPoint) {
        out += '.';
        out += fraction;
    }
    if (p.percent)
        out += '%';
    return QString::fromLatin1(out);
}

} // namespace tarvo
