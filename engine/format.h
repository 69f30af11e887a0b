#pragma once

#include <QString>
#include <QStringView>

namespace tarvo {

// Int(x): the largest integer not greater than x.
double Int(double x);

// Val(text): the number at the start of a text, 0 if there is none.
// Leading blanks are skipped; an optional sign, digits and one decimal
// point are read; anything after them is ignored.
double Val(QStringView text);

// Format(value, pattern): turns a number into text by a digit pattern such
// as "000", "####0", "##0" or "###.##%".
//   '0'  a digit position that is always shown (padded with zeros),
//   '#'  a digit position shown only when its digit is significant,
//   '.'  always output, even when no digit follows it,
//   '%'  multiplies the value by 100 and is output as '%'.
// Every integer digit of the value is shown however many positions the
// pattern has; the value is rounded to the pattern's fraction positions,
// halves away from zero.
QString Format(double value, QStringView pattern);

} // namespace tarvo
