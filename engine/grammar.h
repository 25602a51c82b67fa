// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The language of one worksheet line. Include only where a parse is run: the rule templates are
// expensive to compile.

#include "engine/primitives.h"
#include "engine/recording.h"
#include "engine/unitparsers.h"

#include <boost/spirit/include/classic_core.hpp>
#include <boost/spirit/include/classic_symbols.hpp>

#include <functional>

// Two copies of the expression rules: the evaluating one records the actions that compute on
// the state's value stack; the syntax-only one checks function bodies and captures "if"
// branches without recording anything.
// Alternatives are tried in order and the first match is final; repetitions never give back.
// Both decide where a failed parse stops. A value, a ")", a "," or the end of the line that is
// looked for and not found is noted where it was missing (expected[…]); the furthest note says
// why a line failed (engine/failure.h), without changing what any line matches.
// Signs, "-" or "+" and as many as written, may begin the first term of an expression and any
// operand after "+", "-", "*", "/" and "^", but never a juxtaposed factor: "2 -3" subtracts.
// Units are read only in a second reading of a text the first could not read (engine/parse.h):
// then a number may carry a unit, a unit's name may stand alone, and a statement may end in a
// conversion.
struct calculator : public boost::spirit::classic::grammar<calculator> {
    calculator(Recording& recording, int syntaxOnly)
        : mRecording(recording), mSyntaxOnly(syntaxOnly) {}

    Recording& mRecording;
    int mSyntaxOnly;

    template <typename ScannerT> struct definition {
        typedef boost::spirit::classic::rule<ScannerT> rule_t;

        rule_t statement, assignment, funcDef, identifier;
        rule_t expression, signedTerm, term, signedPower, power, factor;
        rule_t measure, conversion, unitProduct, unitPower, unitExponent;
        rule_t syntaxExpression, syntaxSignedTerm, syntaxTerm, syntaxSignedPower, syntaxPower,
            syntaxFactor;
        rule_t syntaxBody, syntaxConversion, syntaxUnitProduct, syntaxUnitPower;
        bool mSyntaxOnly;

        rule_t const& start() const { return mSyntaxOnly ? syntaxBody : statement; }

        definition(calculator const& self) : mSyntaxOnly(self.mSyntaxOnly != 0) {
            using namespace boost::spirit::classic;
            using calcparse::call;
            using calcparse::decimal_literal;
            using calcparse::expected;
            using calcparse::hex_literal;
            using calcparse::letter_p;
            using calcparse::name_char_p;
            using calcparse::name_of;
            using calcparse::nested;

            Recording& r = self.mRecording;
            const SCalcState& s = r.mState;
            const BuiltinTables& builtins = *s.mBuiltins;
            using calcparse::amount;
            using calcparse::conversion_word;
            using calcparse::no_conversion;
            using calcparse::unit_word;
            using calcparse::UnitReading;
            using calcparse::units_on;
            typedef RecordOperator<DoBinOp<AddOp>, 2> Add;
            typedef RecordOperator<DoBinOp<SubtractOp>, 2> Subtract;
            typedef RecordOperator<DoBinOp<MultiplyOp>, 2> Multiply;
            typedef RecordOperator<DoBinOp<DivideOp>, 2> Divide;
            typedef RecordOperator<DoBinOp<PowerOp>, 2> Power;
            typedef RecordOperator<DoNegate, 1> Negate;
            typedef RecordOperator<DoBinOp<SideBySideOp>, 2> SideBySide;
            typedef RecordOperator<DoConvert, 2> Convert;

            // The punctuation whose absence explains a failed line.
            const auto endOfLine = expected(r, Expected::kEnd)[end_p];
            const auto groupClose = expected(r, Expected::kGroupClose)[ch_p(')')];
            const auto callClose = expected(r, Expected::kCallClose)[ch_p(')')];
            const auto callComma = expected(r, Expected::kCallComma)[ch_p(',')];

            // The rules keep the layout of a grammar book: one alternative per line.
            // clang-format off

            // statement = ( assignment | funcDef | expression [ conversion ] ) end
            statement
                =   (   assignment[RecordAssign{r}]
                    |   funcDef[RecordDefinition{r}]
                    |   ( expression >> !conversion )[RecordEvaluation{r}]
                    )
                    >> endOfLine
                ;

            // assignment = identifier "=" expression [ conversion ]
            assignment
                =   identifier[CaptureText{r.mAssignName}] >> '=' >> expression >> !conversion
                ;

            // conversion = ( "in" | "to" | "->" ) unitProduct, where every word is a unit:
            // "5 km in mi", "60 mph to km/h"
            conversion
                =   ( conversion_word(r) >> unitProduct )[Convert{r}]
                ;

            // unitProduct = unitPower { "*" unitPower | "/" unitPower }
            unitProduct
                =   unitPower
                    >> *(   ( '*' >> unitPower )[Multiply{r}]
                        |   ( '/' >> unitPower )[Divide{r}]
                        )
                ;

            // unitPower = ( unit | "(" unitProduct ")" ) [ "^" unitExponent ]
            unitPower
                =   expected(r, Expected::kUnit)
                    [   unit_word(r, UnitReading::kAsked)[RecordValue{r}]
                    |   '(' >> unitProduct >> groupClose
                    ]
                    >> !( '^' >> unitExponent )[Power{r}]
                ;

            // unitExponent = number | "-" number
            unitExponent
                =   decimal_literal(r)[RecordValue{r}]
                |   ( '-' >> decimal_literal(r)[RecordValue{r}] )[Negate{r}]
                ;

            // funcDef = identifier "(" [ identifier { "," identifier } ] ")" "=" body
            funcDef
                =   identifier[CaptureText{r.mDefName}]
                    >> '('
                    >> !(   identifier[AppendText{r.mParamNames}]
                            >> *( ',' >> identifier[AppendText{r.mParamNames}] )
                        )
                    >> ')' >> '='
                    >> lexeme_d[ *anychar_p ][CaptureText{r.mDefBody}]
                ;

            // identifier = letter { letter | digit | "_" }, but not a built-in name nor "if"
            identifier
                =   lexeme_d
                    [
                        ( letter_p >> *name_char_p )
                        - ( builtins.mBinaryFunctions
                          | builtins.mUnaryFunctions
                          | str_p("if")
                          | builtins.mConstants
                          )
                    ]
                ;

            // expression = signedTerm { "+" signedTerm | "-" signedTerm }
            expression
                =   signedTerm
                    >> *(   ( '+' >> signedTerm )[Add{r}]
                        |   ( '-' >> signedTerm )[Subtract{r}]
                        )
                ;

            // signedTerm = term | "-" signedTerm | "+" signedTerm; so "-2^2" is -(2^2), "2--3"
            // is 2 - (-3), "--1" is 1 and "3-+2" is 1
            signedTerm
                =   term
                |   nested(r)[ '-' >> signedTerm ][Negate{r}]
                |   nested(r)[ '+' >> signedTerm ]
                ;

            // term = power { power | "*" signedPower | "/" signedPower }; a power right after
            // another multiplies, and only after "*" or "/" may it carry a minus: "2 -3" subtracts
            term
                =   power
                    >> *(   ( no_conversion(r) >> power )[Multiply{r}]
                        |   ( '*' >> signedPower )[Multiply{r}]
                        |   ( '/' >> signedPower )[Divide{r}]
                        )
                ;

            // signedPower = power | "-" signedPower | "+" signedPower; so "2*-3^2" is 2 * -(3^2)
            signedPower
                =   power
                |   nested(r)[ '-' >> signedPower ][Negate{r}]
                |   nested(r)[ '+' >> signedPower ]
                ;

            // power = factor [ "^" signedPower ]; so "^" groups to the right, and "2^-2^2" is
            // 2^(-(2^2))
            power
                =   nested(r)
                    [
                        factor >> !( '^' >> signedPower[Power{r}] )
                    ]
                ;

            // factor = measure | hex | number | "(" expression ")" | call | if | unit | variable
            //        | constant; a unit only where no name of the worksheet's reads the word
            factor
                =   expected(r, Expected::kValue)
                    [   measure
                    |   hex_literal(r)[RecordValue{r}]
                    |   decimal_literal(r)[RecordValue{r}]
                    |   '(' >> expression >> groupClose
                    |   call(r, RecordUnaryCall{r}, 1)
                        [
                            lexeme_d[ builtins.mUnaryFunctions >> '(' ] >> expression >> callClose
                        ]
                    |   call(r, RecordDefinedCall{r}, 0)
                        [
                            lexeme_d[ name_of(s.mFunctions) >> '(' ]
                            >> !( expression >> *( ',' >> expression ) ) >> callClose
                        ]
                    |   call(r, RecordBinaryCall{r}, 2)
                        [
                            lexeme_d[ builtins.mBinaryFunctions >> '(' ]
                            >> expression >> callComma >> expression >> callClose
                        ]
                    |   call(r, RecordIf{r}, 3)
                        [
                            str_p("if(") >> expression
                            >> callComma >> syntaxExpression[CaptureText{r.mIfTrueText}]
                            >> callComma >> syntaxExpression[CaptureText{r.mIfFalseText}]
                            >> callClose
                        ]
                    |   unit_word(r, UnitReading::kInExpression)[RecordValue{r}]
                    |   name_of(s.mVariables)[RecordVariable{r}]
                    |   builtins.mConstants[RecordValue{r}]
                    ]
                ;

            // measure = amount { amount }: amounts of one kind side by side add up, "2 h 30 min"
            measure
                =   amount(r)[RecordValue{r}] >> *( amount(r)[RecordValue{r}] )[SideBySide{r}]
                ;

            // The same rules without actions. A function's body may end in a conversion too.
            syntaxBody
                =   syntaxExpression >> !syntaxConversion
                ;

            syntaxConversion
                =   conversion_word(r) >> syntaxUnitProduct
                ;

            syntaxUnitProduct
                =   syntaxUnitPower >> *( '*' >> syntaxUnitPower | '/' >> syntaxUnitPower )
                ;

            syntaxUnitPower
                =   expected(r, Expected::kUnit)
                    [   unit_word(r, UnitReading::kAsked)
                    |   '(' >> syntaxUnitProduct >> groupClose
                    ]
                    >> !( '^' >> ( decimal_literal(r) | '-' >> decimal_literal(r) ) )
                ;

            syntaxExpression
                =   syntaxSignedTerm
                    >> *( '+' >> syntaxSignedTerm | '-' >> syntaxSignedTerm )
                ;

            syntaxSignedTerm
                =   syntaxTerm
                |   nested(r)[ '-' >> syntaxSignedTerm ]
                |   nested(r)[ '+' >> syntaxSignedTerm ]
                ;

            syntaxTerm
                =   syntaxPower
                    >> *(   no_conversion(r) >> syntaxPower
                        |   '*' >> syntaxSignedPower
                        |   '/' >> syntaxSignedPower
                        )
                ;

            syntaxSignedPower
                =   syntaxPower
                |   nested(r)[ '-' >> syntaxSignedPower ]
                |   nested(r)[ '+' >> syntaxSignedPower ]
                ;

            syntaxPower
                =   nested(r)
                    [
                        syntaxFactor >> !( '^' >> syntaxSignedPower )
                    ]
                ;

            syntaxFactor
                =   expected(r, Expected::kValue)
                    [   amount(r) >> *amount(r)
                    |   hex_literal(r)
                    |   decimal_literal(r)
                    |   '(' >> syntaxExpression >> groupClose
                    |   call(r, calcparse::no_action, 1)
                        [
                            lexeme_d[ builtins.mUnaryFunctions >> '(' ] >> syntaxExpression
                            >> callClose
                        ]
                    |   call(r, calcparse::no_action, 0)
                        [
                            lexeme_d[ name_of(s.mFunctions) >> '(' ]
                            >> !( syntaxExpression >> *( ',' >> syntaxExpression ) )
                            >> callClose
                        ]
                    |   call(r, calcparse::no_action, 2)
                        [
                            lexeme_d[ builtins.mBinaryFunctions >> '(' ]
                            >> syntaxExpression >> callComma >> syntaxExpression >> callClose
                        ]
                    |   call(r, calcparse::no_action, 3)
                        [
                            str_p("if(") >> syntaxExpression >> callComma >> syntaxExpression
                            >> callComma >> syntaxExpression >> callClose
                        ]
                    |   unit_word(r, UnitReading::kInExpression)
                    |   name_of(s.mVariables)
                    |   builtins.mConstants
                    ]
                ;
            // clang-format on
        }
    };
};
