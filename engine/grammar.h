#pragma once

// The language of one worksheet line. Include only where a parse is run: the rule templates are
// expensive to compile.

#include "engine/primitives.h"
#include "engine/recording.h"

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
struct calculator : public boost::spirit::classic::grammar<calculator> {
    calculator(Recording& recording, int syntaxOnly)
        : mRecording(recording), mSyntaxOnly(syntaxOnly) {}

    Recording& mRecording;
    int mSyntaxOnly;

    template <typename ScannerT> struct definition {
        typedef boost::spirit::classic::rule<ScannerT> rule_t;

        rule_t statement, assignment, funcDef, identifier;
        rule_t expression, signedTerm, term, signedPower, power, factor;
        rule_t syntaxExpression, syntaxSignedTerm, syntaxTerm, syntaxSignedPower, syntaxPower,
            syntaxFactor;
        bool mSyntaxOnly;

        rule_t const& start() const { return mSyntaxOnly ? syntaxExpression : statement; }

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
            typedef RecordOperator<DoBinOp<std::plus<double>>, 2> Add;
            typedef RecordOperator<DoBinOp<std::minus<double>>, 2> Subtract;
            typedef RecordOperator<DoBinOp<std::multiplies<double>>, 2> Multiply;
            typedef RecordOperator<DoBinOp<std::divides<double>>, 2> Divide;
            typedef RecordOperator<DoBinOp<BinFunctor<&Pow>>, 2> Power;
            typedef RecordOperator<DoNegate, 1> Negate;

            // The punctuation whose absence explains a failed line.
            const auto endOfLine = expected(r, Expected::kEnd)[end_p];
            const auto groupClose = expected(r, Expected::kGroupClose)[ch_p(')')];
            const auto callClose = expected(r, Expected::kCallClose)[ch_p(')')];
            const auto callComma = expected(r, Expected::kCallComma)[ch_p(',')];

            // The rules keep the layout of a grammar book: one alternative per line.
            // clang-format off

            // statement = ( assignment | funcDef | expression ) end
            statement
                =   (   assignment[RecordAssign{r}]
                    |   funcDef[RecordDefinition{r}]
                    |   expression[RecordEvaluation{r}]
                    )
                    >> endOfLine
                ;

            // assignment = identifier "=" expression
            assignment
                =   identifier[CaptureText{r.mAssignName}] >> '=' >> expression
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
                    >> *(   power[Multiply{r}]
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

            // factor = hex | number | "(" expression ")" | call | if | variable | constant
            factor
                =   expected(r, Expected::kValue)
                    [   hex_literal(r)[RecordValue{r}]
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
                    |   name_of(s.mVariables)[RecordVariable{r}]
                    |   builtins.mConstants[RecordValue{r}]
                    ]
                ;

            // The same rules without actions.
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
                    >> *(   syntaxPower
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
                    [   hex_literal(r)
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
                    |   name_of(s.mVariables)
                    |   builtins.mConstants
                    ]
                ;
            // clang-format on
        }
    };
};
