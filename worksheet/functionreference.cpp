// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/functionreference.h"

#include "worksheet/builtinnames.h"
#include "worksheet/resultformat.h"

#include <QCoreApplication>
#include <QSet>

namespace {

using Kind = ReferenceEntry::Kind;

struct Row {
    Kind kind;
    const char* name;
    const char* usage;
    const char* description; // translatable in the context "FunctionReference"
    const char* example;     // written with "." and ",", as the engine reads it
    const char* answer;      // none where it depends on the worksheet, or is not a value
};

// Operators first, then the engine's functions and constants in the order it lists them.
// Every answer is what a worksheet shows for its example; a test calculates each example.
const Row kRows[] = {
    {Kind::Operator, "+", "a + b", QT_TRANSLATE_NOOP("FunctionReference", "Adds"), "2 + 3", "5"},
    {Kind::Operator, "-", "a - b",
     QT_TRANSLATE_NOOP("FunctionReference", "Subtracts; before a value, negates it"), "7 - -2",
     "9"},
    {Kind::Operator, "*", "a * b", QT_TRANSLATE_NOOP("FunctionReference", "Multiplies"), "6 * 7",
     "42"},
    {Kind::Operator, "/", "a / b", QT_TRANSLATE_NOOP("FunctionReference", "Divides"), "1 / 8",
     "0.125"},
    {Kind::Operator, "^", "a ^ b",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "Raises to a power; binds tightest and groups to the right"),
     "2^3^2", "512"},
    {Kind::Operator, "(", "( … )", QT_TRANSLATE_NOOP("FunctionReference", "Calculates first"),
     "(1 + 2) * 3", "9"},
    {Kind::Operator, "2x", "2x",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "A number right before a name or a parenthesis multiplies it"),
     "2(3 + 4)", "14"},
    {Kind::Operator, "=", "name = value",
     QT_TRANSLATE_NOOP("FunctionReference", "Gives a variable a value for the lines after it"),
     "rate = 0.25", "0.25"},
    {Kind::Operator, "f(x) =", "f(x, …) = body",
     QT_TRANSLATE_NOOP("FunctionReference", "Defines a function of one or more parameters"),
     "f(x) = x^2 + 1", nullptr},
    {Kind::Operator, "if", "if(c, a, b)",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "a when c is greater than 0, else b; only that one is calculated"),
     "if(2 - 3, 10, 20)", "20"},
    {Kind::Operator, "0x", "0xFF",
     QT_TRANSLATE_NOOP("FunctionReference", "A hexadecimal number of up to 64 bits"), "0xFF",
     "255"},
    {Kind::Operator, "e3", "1.5e3",
     QT_TRANSLATE_NOOP("FunctionReference", "A number times a power of ten"), "1.5e3", "1500"},
    {Kind::Operator, "in", "a in unit",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "At the end of a line, converts its answer to the unit; also “to” or “->”"),
     "5 km in mi", "3.10685596119 mi"},
    {Kind::Operator, "plot", "plot(curve, …, from, to)",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "A line of its own: draws each curve, an expression of x, for x from one "
                       "value to a greater one"),
     "plot(sin(x), cos(x), 0, 2pi)", nullptr},
    {Kind::Operator, "last", "last",
     QT_TRANSLATE_NOOP("FunctionReference", "The value of the last line calculated"), "last * 2",
     nullptr},
    {Kind::Function, "atan", "atan(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Arctangent, in radians"), "atan(1)", "0.785398163397"},
    {Kind::Function, "acos", "acos(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Arccosine, in radians"), "acos(-1)", "3.14159265359"},
    {Kind::Function, "asin", "asin(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Arcsine, in radians"), "asin(1)", "1.57079632679"},
    {Kind::Function, "sin", "sin(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Sine of an angle in radians"), "sin(pi/6)", "0.5"},
    {Kind::Function, "cos", "cos(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Cosine of an angle in radians"), "cos(pi)", "-1"},
    {Kind::Function, "tan", "tan(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Tangent of an angle in radians"), "tan(pi/4)", "1"},
    {Kind::Function, "ceil", "ceil(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Rounds up to a whole number"), "ceil(2.1)", "3"},
    {Kind::Function, "floor", "floor(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Rounds down to a whole number"), "floor(-2.1)", "-3"},
    {Kind::Function, "round", "round(x)",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "Rounds to the nearest whole number, halves away from zero"),
     "round(2.5)", "3"},
    {Kind::Function, "fabs", "fabs(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Absolute value, as abs"), "fabs(-4)", "4"},
    {Kind::Function, "abs", "abs(x)", QT_TRANSLATE_NOOP("FunctionReference", "Absolute value"),
     "abs(3 - 7)", "4"},
    {Kind::Function, "log", "log(x)", QT_TRANSLATE_NOOP("FunctionReference", "Natural logarithm"),
     "log(e^2)", "2"},
    {Kind::Function, "log10", "log10(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Logarithm to base 10"), "log10(1000)", "3"},
    {Kind::Function, "log2", "log2(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Logarithm to base 2"), "log2(1024)", "10"},
    {Kind::Function, "exp", "exp(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "e raised to the power x"), "exp(1)", "2.71828182846"},
    {Kind::Function, "rad", "rad(degrees)",
     QT_TRANSLATE_NOOP("FunctionReference", "Degrees in radians"), "rad(180)", "3.14159265359"},
    {Kind::Function, "deg", "deg(radians)",
     QT_TRANSLATE_NOOP("FunctionReference", "Radians in degrees"), "deg(pi/2)", "90"},
    {Kind::Function, "sqrt", "sqrt(x)", QT_TRANSLATE_NOOP("FunctionReference", "Square root"),
     "sqrt(16)", "4"},
    {Kind::Function, "\u221A", "\u221A(x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Square root, as sqrt"), "\u221A(2)", "1.41421356237"},
    {Kind::Function, "atan2", "atan2(y, x)",
     QT_TRANSLATE_NOOP("FunctionReference", "Angle of the point (x, y), in radians"),
     "atan2(1, -1)", "2.35619449019"},
    {Kind::Function, "max", "max(a, b)", QT_TRANSLATE_NOOP("FunctionReference", "The larger"),
     "max(3, 7)", "7"},
    {Kind::Function, "min", "min(a, b)", QT_TRANSLATE_NOOP("FunctionReference", "The smaller"),
     "min(3, 7)", "3"},
    {Kind::Function, "hypot", "hypot(a, b)",
     QT_TRANSLATE_NOOP("FunctionReference", "Length of the hypotenuse, √(a² + b²)"), "hypot(3, 4)",
     "5"},
    {Kind::Constant, "pi", "pi", QT_TRANSLATE_NOOP("FunctionReference", "The circle constant π"),
     "2pi", "6.28318530718"},
    {Kind::Constant, "%", "%",
     QT_TRANSLATE_NOOP("FunctionReference", "Percent: one hundredth, so 15% is 0.15"), "200 * 15%",
     "30"},
    {Kind::Constant, "\u03C0", "\u03C0", QT_TRANSLATE_NOOP("FunctionReference", "Pi, as pi"),
     "\u03C0/2", "1.57079632679"},
    {Kind::Constant, "e", "e",
     QT_TRANSLATE_NOOP("FunctionReference", "Euler's number, the base of natural logarithms"), "e",
     "2.71828182846"},
    // A number carries the unit written after it; a kind's units convert into one another.
    {Kind::Unit, "m", "m, km, cm, mm, µm",
     QT_TRANSLATE_NOOP("FunctionReference", "Metre, with every SI prefix"), "5 km + 300 m",
     "5.3 km"},
    {Kind::Unit, "inch", "inch, ft, yd, mi",
     QT_TRANSLATE_NOOP("FunctionReference", "Inch, foot, yard and mile"), "12 inch in cm",
     "30.48 cm"},
    {Kind::Unit, "l", "l, ml, cup, tbsp, tsp, floz, gal",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "Litre, and the US cup, tablespoon, teaspoon, fluid ounce and gallon"),
     "1/2 cup in ml", "118.29411825 ml"},
    {Kind::Unit, "g", "g, kg, t, lb, oz",
     QT_TRANSLATE_NOOP("FunctionReference", "Gram with every SI prefix, tonne, pound and ounce"),
     "1 lb in g", "453.59237 g"},
    {Kind::Unit, "s", "s, min, h, day, week, year",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "Second, minute, hour, day, week and year of 365.25 days"),
     "2 h 30 min in min", "150 min"},
    {Kind::Unit, "km/h", "km/h, mph",
     QT_TRANSLATE_NOOP("FunctionReference", "Speed, a length per time"), "100 km / 2 h", "50 km/h"},
    {Kind::Unit, "N", "N", QT_TRANSLATE_NOOP("FunctionReference", "Newton, the unit of force"),
     "2 kg * 9.81 m/s^2 in N", "19.62 N"},
    {Kind::Unit, "J", "J, cal, kcal, eV, Wh, kWh",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "Energy: joule, calorie of 4.184 J, electronvolt and watt-hour"),
     "1 kcal in kJ", "4.184 kJ"},
    {Kind::Unit, "W", "W", QT_TRANSLATE_NOOP("FunctionReference", "Watt, the unit of power"),
     "3 kWh / 2 h in W", "1500 W"},
    {Kind::Unit, "Pa", "Pa, bar, psi, atm", QT_TRANSLATE_NOOP("FunctionReference", "Pressure"),
     "1 atm in hPa", "1013.25 hPa"},
    {Kind::Unit, "°", "°, deg, rad",
     QT_TRANSLATE_NOOP("FunctionReference", "Angle in degrees or radians; sin and cos take both"),
     "sin(30°)", "0.5"},
    {Kind::Unit, "B", "bit, B, kB, MB, KiB, MiB, GiB",
     QT_TRANSLATE_NOOP("FunctionReference", "Data, in decimal and binary multiples"),
     "1 GiB in MiB", "1024 MiB"},
    {Kind::Unit, "Hz", "Hz, kHz, MHz, GHz",
     QT_TRANSLATE_NOOP("FunctionReference", "Hertz, one per second"), "1 / (2 ms) in Hz", "500 Hz"},
    {Kind::Unit, "°C", "°C, °F, K, degC, degF",
     QT_TRANSLATE_NOOP("FunctionReference",
                       "Temperature; a difference is added in K: 20 °C + 5 K is 25 °C"),
     "20 °C in °F", "68 °F"},
};

QString translated(const char* text) {
    return QCoreApplication::translate("FunctionReference", text);
}

// What double-clicking types: a function's name ready for its arguments, an operator or a
// constant as it is written, and the example for a way of writing numbers or definitions.
QString insertionOf(const Row& row, const QString& example) {
    const QString name = QString::fromUtf8(row.name);
    if (row.kind == Kind::Function || name == QLatin1String("if"))
        return name + QLatin1Char('(');
    static const QSet<QString> writtenByExample = {QStringLiteral("2x"), QStringLiteral("e3"),
                                                   QStringLiteral("f(x) =")};
    return writtenByExample.contains(name) ? example : name;
}

} // namespace

QList<ReferenceEntry> functionReference(bool commaIsDecimal) {
    QList<ReferenceEntry> entries;
    for (const Row& row : kRows) {
        const QString example = localizeString(QString::fromUtf8(row.example), commaIsDecimal);
        entries.append(
            {row.kind, QString::fromUtf8(row.name),
             localizeString(QString::fromUtf8(row.usage), commaIsDecimal),
             translated(row.description), example,
             row.answer ? localizeString(QString::fromUtf8(row.answer), commaIsDecimal) : QString(),
             insertionOf(row, example)});
    }
    return entries;
}

QStringList builtinsMissingFromReference() {
    QSet<QString> listed;
    for (const Row& row : kRows)
        listed.insert(QString::fromUtf8(row.name));
    QStringList missing;
    for (const QString& name : builtinNames())
        if (!listed.contains(name))
            missing.append(name);
    missing.sort();
    return missing;
}
